#include "hosts/qt/x11_window.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>

namespace hosts::qt {

namespace {

xcb_connection_t* X11Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 == nullptr ? nullptr : x11->connection();
}

}  // namespace

bool RequestX11WindowSize(QWidget& window, QSize size) {
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return false;
  const std::uint32_t values[] = {static_cast<std::uint32_t>(size.width()),
                                  static_cast<std::uint32_t>(size.height())};
  xcb_configure_window(connection, static_cast<xcb_window_t>(window.winId()),
                       XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
  xcb_flush(connection);
  return true;
}

bool X11MouseButtonHeld() {
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return false;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  xcb_query_pointer_reply_t* reply =
      xcb_query_pointer_reply(connection, xcb_query_pointer(connection, screen->root), nullptr);
  if (reply == nullptr) return false;
  constexpr std::uint16_t kButtons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
  const bool held = (reply->mask & kButtons) != 0;
  std::free(reply);
  return held;
}

}  // namespace hosts::qt
