#include "app/commands.h"
#include "app/shell.h"
#include "app/window_geometry.h"
#include "platform/host.h"

namespace app {
namespace {

void StoreMousePosition(LPARAM lParam) {
  mouse.previous_x = mouse.x;
  mouse.previous_y = mouse.y;
  mouse.x = LOWORD(static_cast<std::uintptr_t>(lParam));
  mouse.y = HIWORD(static_cast<std::uintptr_t>(lParam));
}

}  // namespace

LRESULT MainWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  platform::Host& host = platform::CurrentHost();
  switch (message) {
    case WM_DESTROY:
      host.PostQuitMessage(0);
      return 0;
    case WM_MOVE:
      host.InvalidateClient();
      return 0;
    case WM_SIZE:
      SetZoom(ZoomForClientWidth(LOWORD(static_cast<std::uintptr_t>(lParam))));
      return 0;
    case WM_PAINT:
      host.BlitFrame();
      return 0;
    case WM_CLOSE:
      ConfirmExit();
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (message == WM_MOUSEMOVE) mouse.moved = true;
      if (message == WM_RBUTTONDOWN) mouse.right_click_taken = false;  // a new press
      StoreMousePosition(lParam);
      if (!mouse.ignore_buttons) mouse.buttons = static_cast<std::uint32_t>(wParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      StoreMousePosition(lParam);
      mouse.ignore_buttons = false;
      return 0;
    case WM_MOUSEWHEEL:
      mouse.wheel_delta = GET_WHEEL_DELTA_WPARAM(wParam);
      return 0;
    case WM_SIZING:
      ConstrainSizingRect(wParam, *reinterpret_cast<RECT*>(lParam), host.GetFrameMetrics());
      return 1;
    case WM_COMMAND:
      DispatchCommand(wParam);
      return 0;
    default:
      return 0;
  }
}

}  // namespace app
