#include "hosts/qt/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMoveEvent>
#include <QResizeEvent>
#include <algorithm>

#include "app/shell.h"
#include "app/window_geometry.h"
#include "hosts/qt/qt_host.h"
#include "hosts/qt/x11_window.h"

namespace hosts::qt {

MainWindow::MainWindow(QtHost& host) : host_(host), view_(new FrameView(this)) {
  setCentralWidget(view_);
  settle_timer_.setInterval(kSettleInterval);
  connect(&settle_timer_, &QTimer::timeout, this, &MainWindow::SettleSize);
}

int MainWindow::MenuBarHeight(int width) const {
  const int height = menuBar()->heightForWidth(width);
  return height > 0 ? height : menuBar()->sizeHint().height();
}

void MainWindow::SetClientSize(int width, int height) {
  // Never larger than the frame at zoom 1.0.
  setMaximumSize(app::kFrameWidth, app::kFrameHeight + MenuBarHeight(app::kFrameWidth));
  requested_ = QSize(width, height + MenuBarHeight(width));
  AskForRequestedSize();
}

void MainWindow::AskForRequestedSize() {
  if (size() == requested_) return;
  // Once the window is on screen its size is the window manager's to grant.
  if (!isVisible() || !RequestX11WindowSize(*this, requested_)) resize(requested_);
}

// A window manager refuses sizes while it drags an edge, and sends nothing when the drag ends
// on the size it last gave; so the size the editor asked for is asked again once no button is
// held, a few times at most, for a window manager that never grants it.
void MainWindow::SettleSize() {
  if (size() == requested_ || settle_attempts_left_ == 0) {
    settle_timer_.stop();
    return;
  }
  if (X11MouseButtonHeld()) return;
  --settle_attempts_left_;
  AskForRequestedSize();
}

// The close box asks the editor, which may ask the person; the answer comes later.
void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  host_.PostMessage(WM_CLOSE);
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  app::MainWindowProc(
      WM_MOVE, 0,
      MAKELPARAM(static_cast<unsigned>(event->pos().x()), static_cast<unsigned>(event->pos().y())));
}

// A size that the editor did not ask for was made by the person: the editor constrains it as
// a drag of the right edge (or of the bottom edge, when only the height changed), then takes
// its zoom from the client width, which sizes the window again.
void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (event->size() == requested_) return;
  const QSize old_size = event->oldSize();
  const bool height_only = old_size.isValid() && old_size.width() == event->size().width();
  const QRect outer = geometry();
  RECT proposed{outer.left(), outer.top(), outer.left() + outer.width(),
                outer.top() + outer.height()};
  app::MainWindowProc(WM_SIZING, height_only ? WMSZ_BOTTOM : WMSZ_RIGHT,
                      reinterpret_cast<LPARAM>(&proposed));
  const int client_width = proposed.right - proposed.left;
  const int client_height = proposed.bottom - proposed.top - MenuBarHeight(client_width);
  app::MainWindowProc(WM_SIZE, 0,
                      MAKELPARAM(static_cast<unsigned>(std::max(0, client_width)),
                                 static_cast<unsigned>(std::max(0, client_height))));
  settle_attempts_left_ = kSettleAttempts;
  settle_timer_.start();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Keys released while another window has the keyboard never reach this one.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) host_.ReleaseAllKeys();
}

}  // namespace hosts::qt
