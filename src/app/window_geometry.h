// The arithmetic that ties the window's size to the fixed 520 x 650 frame through the zoom
// factor. Pure functions; the host supplies its frame metrics.
#pragma once

#include "platform/host.h"
#include "platform/win32_names.h"

namespace app {

constexpr int kFrameWidth = 520;
constexpr int kFrameHeight = 650;

struct Size {
  int width;
  int height;
};

// (screen height - 80) / 650, at most 1.0; no lower bound.
double InitialZoom(int screen_height);
// The client area that shows the frame at zoom z: trunc(520 z) by trunc(650 z).
Size ClientSizeForZoom(double zoom);
// The window around that client area (the menu bar is not allowed for).
Size OuterSizeForZoom(double zoom, const platform::FrameMetrics& metrics);
// Top-left corner that centres a window of `outer` size on the screen.
POINT CentredPosition(Size outer, int screen_width, int screen_height);
// The zoom factor that a client area `width` pixels wide shows.
double ZoomForClientWidth(unsigned width);
// Adjusts the outer rectangle proposed while the user drags `edge` so that the client area
// keeps the aspect 520 : 650 and is at most 520 x 650.
void ConstrainSizingRect(WPARAM edge, RECT& rect, const platform::FrameMetrics& metrics);

}  // namespace app
