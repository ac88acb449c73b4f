// Rimforge on a Qt desktop: makes the main window, starts the editor in its intro and runs the
// frame loop until the person leaves through "Exit Rimforge?".
#include <QApplication>
#include <cstdio>
#include <string_view>

#include "hosts/qt/frame_loop.h"
#include "hosts/qt/qt_host.h"
#include "hosts/qt/start_up.h"

int main(int argc, char** argv) {
  // Answered before any window is made, so it works without a desktop too.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("rimforge %s\n", RIMFORGE_VERSION);
    return 0;
  }
  QApplication application(argc, argv);
  hosts::qt::PrepareApplication();
  hosts::qt::QtHost host;
  hosts::qt::StartEditorWindow(host);
  return hosts::qt::RunFrameLoop(host);
}
