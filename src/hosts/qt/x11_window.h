// Sizing the main window on an X11 desktop without Qt's help. Qt sends a window's position
// with every size it asks for, and on a framed window the window manager reads that position
// with the wrong reference point, so the window jumps by its frame; Qt also takes the new size
// as given before the window manager agreed, and a window manager in the middle of an
// interactive resize refuses it.
#pragma once

#include <QSize>

class QWidget;

namespace hosts::qt {

// Asks the X server for `size` only, leaving the place alone; Qt learns the size when the
// window manager grants it. False when the program does not run on X11.
bool RequestX11WindowSize(QWidget& window, QSize size);

// Whether a mouse button is held anywhere on the X display, as while the window manager drags
// a window's edge (it keeps the pointer to itself then, so the window sees no button events).
bool X11MouseButtonHeld();

}  // namespace hosts::qt
