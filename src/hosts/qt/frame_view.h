// The main window's client area: shows the frame buffer one to one at its top-left corner and
// turns mouse events into the editor's mouse messages.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

namespace hosts::qt {

class FrameView : public QWidget {
 public:
  explicit FrameView(QWidget* parent = nullptr);

  // Converts the frame buffer through the palette and paints it at once; a buffer equal to
  // the one shown last needs no new picture.
  bool ShowFrame();  // true when it painted a new picture
  // The picture as it was last converted, one pixel per frame-buffer pixel.
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void SendMouseMessage(unsigned message, const QMouseEvent& event);

  QImage picture_;
  std::vector<std::uint8_t> shown_;  // the buffer that `picture_` shows
  std::array<QRgb, 256> colours_{};
};

}  // namespace hosts::qt
