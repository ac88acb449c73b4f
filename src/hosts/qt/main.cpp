// Rimforge on a Qt desktop: makes the main window, starts the editor in its intro and runs the
// frame loop until the person leaves through "Exit Rimforge?".
#include <QApplication>

#include "hosts/qt/frame_loop.h"
#include "hosts/qt/qt_host.h"
#include "hosts/qt/start_up.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  hosts::qt::PrepareApplication();
  hosts::qt::QtHost host;
  hosts::qt::StartEditorWindow(host);
  return hosts::qt::RunFrameLoop(host);
}
