#include "app/window_geometry.h"

#include <cstdint>

#include "util/saturating_cast.h"

namespace app {

double InitialZoom(int screen_height) {
  double zoom = (screen_height - 80) * 0.0015384615384615385;
  return zoom > 1.0 ? 1.0 : zoom;
}

Size ClientSizeForZoom(double zoom) {
  return {util::SaturatingTrunc<std::int32_t>(kFrameWidth * zoom),
          util::SaturatingTrunc<std::int32_t>(kFrameHeight * zoom)};
}

Size OuterSizeForZoom(double zoom, const platform::FrameMetrics& metrics) {
  const Size client = ClientSizeForZoom(zoom);
  return {2 * metrics.frame_width + client.width,
          2 * metrics.frame_height + metrics.caption_height + client.height};
}

POINT CentredPosition(Size outer, int screen_width, int screen_height) {
  return {screen_width / 2 - outer.width / 2, screen_height / 2 - outer.height / 2};
}

double ZoomForClientWidth(unsigned width) {
  return width * 0.0019230769230769232;
}

void ConstrainSizingRect(WPARAM edge, RECT& rect, const platform::FrameMetrics& metrics) {
  // 64-bit so that no proposed rectangle, however odd, overflows the products.
  std::int64_t width;
  std::int64_t height;
  if (edge != WMSZ_TOP && edge != WMSZ_BOTTOM) {
    width = (std::int64_t{rect.right} - rect.left) - 2 * metrics.frame_width;
    if (width > kFrameWidth) width = kFrameWidth;
    height = (width * kFrameHeight) / kFrameWidth;
  } else {
    height =
        (std::int64_t{rect.bottom} - rect.top) - 2 * metrics.frame_height - metrics.caption_height;
    if (height > kFrameHeight) height = kFrameHeight;
    width = (height * kFrameWidth) / kFrameHeight;
  }
  const auto outer_width = static_cast<std::int32_t>(width + 2 * metrics.frame_width);
  const auto outer_height =
      static_cast<std::int32_t>(height + metrics.caption_height + 2 * metrics.frame_height);
  if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) {
    rect.left = rect.right - outer_width;
  } else {
    rect.right = rect.left + outer_width;
  }
  if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) {
    rect.top = rect.bottom - outer_height;
  } else {
    rect.bottom = rect.top + outer_height;
  }
}

}  // namespace app
