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

}  // namespace hosts::qt
