// The editor's spine: start-up state, the frame, the main window's messages, zoom and exit.
#pragma once

#include "app/editor_state.h"
#include "app/modes.h"
#include "platform/win32_names.h"

namespace app {

// Puts every module back to its start values (for a new run, and for each test).
void ResetEditor();
// What start-up does after the host has made its window: frame buffer and palette, menus with
// their radio bullets, then the editor state. The host sets the zoom factor itself.
void StartEditor();
// Level table in place, angle step 15, no current level, Edit/Tools/Display greyed, intro mode.
void InitEditorState();

// One frame: show the previous picture, clear, draw and poll for the mode, then pace.
void RunFrame();

// Every window message other than painting's own work; menu commands arrive as WM_COMMAND.
LRESULT MainWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

// Clamps z to at most 1.0, stores it and sizes the client area to trunc(520 z) x trunc(650 z).
void SetZoom(double zoom);
// Asks "Exit Rimforge?" and closes the main window on OK.
void ConfirmExit();

}  // namespace app
