// The program's loop: every waiting event and queued message is handled, then one frame runs.
// No frame runs while a menu is open (modal dialogs, message boxes and the popup menu run
// loops of their own, in which no frame runs either).
#pragma once

#include "hosts/qt/qt_host.h"

namespace hosts::qt {

// One turn: handles what waits, then runs a frame, or waits a frame's time for a menu.
void RunLoopTurn(QtHost& host);
// Turns until the editor quits; returns its exit code.
int RunFrameLoop(QtHost& host);

}  // namespace hosts::qt
