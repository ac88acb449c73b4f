// The main window: the menu bar above the client area that shows the frame. Closing, moving
// and sizing reach the editor as window messages; sizing keeps the client area at 520 : 650.
#pragma once

#include <QMainWindow>
#include <QSize>
#include <QTimer>

#include "hosts/qt/frame_view.h"

namespace hosts::qt {

class QtHost;

class MainWindow : public QMainWindow {
 public:
  explicit MainWindow(QtHost& host);

  FrameView& View() { return *view_; }
  const FrameView& View() const { return *view_; }
  // Sizes the window so that the client area below the menu bar is width x height.
  void SetClientSize(int width, int height);
  int MenuBarHeight(int width) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  static constexpr int kSettleInterval = 100;  // milliseconds
  static constexpr int kSettleAttempts = 5;

  void AskForRequestedSize();
  void SettleSize();

  QtHost& host_;
  FrameView* view_;
  QSize requested_;  // the size the window was last given by SetClientSize
  QTimer settle_timer_;
  int settle_attempts_left_ = 0;
};

}  // namespace hosts::qt
