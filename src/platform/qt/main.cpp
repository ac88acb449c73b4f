// Rimforge on a Qt desktop: makes the main window, starts the editor in its intro and runs the
// frame loop until the person leaves through "Exit Rimforge?".
#include <QApplication>

#include "platform/qt/frame_loop.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/start_up.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  platform::qt::PrepareApplication();
  platform::qt::QtHost host;
  platform::qt::StartEditorWindow(host);
  return platform::qt::RunFrameLoop(host);
}
