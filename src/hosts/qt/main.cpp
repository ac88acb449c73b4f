// Rimforge on a Qt desktop: makes the main window, starts the editor in its intro and runs the
// frame loop until the person leaves through "Exit Rimforge?".
#include <QApplication>
#include <optional>

#include "hosts/common/start_up_arguments.h"
#include "hosts/qt/frame_loop.h"
#include "hosts/qt/qt_host.h"
#include "hosts/qt/start_up.h"

int main(int argc, char** argv) {
  // Answered before any window is made, so it works without a desktop too.
  if (const std::optional<int> status = hosts::AnswerInfoArguments(argc, argv)) return *status;
  QApplication application(argc, argv);  // takes Qt's own options out of argv
  hosts::qt::PrepareApplication();
  hosts::qt::QtHost host;
  hosts::qt::StartEditorWindow(host);
  hosts::qt::OpenNamedFiles(host, argc, argv);
  return hosts::qt::RunFrameLoop(host);
}
