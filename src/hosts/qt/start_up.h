// What the program does before its first frame, shared with the tests that start the editor
// the same way.
#pragma once

#include "hosts/qt/qt_host.h"

namespace hosts::qt {

// The application's name (the window class, "Rimforge"), its icon and the dialog font.
void PrepareApplication();

// Makes `host` the editor's host, starts the editor in its intro, sizes the window for the
// zoom that suits the screen height, centres it on the screen and shows it.
void StartEditorWindow(QtHost& host);

// The files named on the command line (as the file manager passes them): one level ROM (.118) or
// level file (.TLD) is loaded through Load ROM or Load TLD File, with their checks and messages;
// anything else is told in a message box, and the editor goes on as usual.
void OpenNamedFiles(QtHost& host, int argc, const char* const* argv);

}  // namespace hosts::qt
