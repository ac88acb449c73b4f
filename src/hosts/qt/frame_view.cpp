#include "hosts/qt/frame_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cstring>
#include <limits>

#include "app/shell.h"
#include "gfx/frame_buffer.h"
#include "platform/win32_names.h"

namespace hosts::qt {
namespace {

UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  UINT flags = 0;
  if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
  if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

// Client coordinates travel as two 16-bit halves, as window messages carry them.
LPARAM ClientPosition(QPoint point) {
  return MAKELPARAM(static_cast<unsigned>(point.x()), static_cast<unsigned>(point.y()));
}

}  // namespace

FrameView::FrameView(QWidget* parent)
    : QWidget(parent),
      picture_(gfx::kFrameWidth, gfx::kFrameHeight, QImage::Format_RGB32),
      shown_(gfx::kFrameSize, 0) {
  picture_.fill(Qt::black);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // A right press would otherwise open Qt's context menu and swallow the release.
  setContextMenuPolicy(Qt::PreventContextMenu);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(0, 0);
}

bool FrameView::ShowFrame() {
  const std::uint8_t* pixels = gfx::FrameBuffer();
  const auto& palette = gfx::Palette();
  bool palette_changed = false;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    // Full alpha: a colour table without it paints nothing.
    const QRgb colour = qRgb(palette[i].red, palette[i].green, palette[i].blue);
    palette_changed |= colour != colours_[i];
    colours_[i] = colour;
  }
  if (!palette_changed && std::memcmp(pixels, shown_.data(), shown_.size()) == 0) return false;
  std::memcpy(shown_.data(), pixels, shown_.size());
  for (int row = 0; row < gfx::kFrameHeight; ++row) {
    auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(row));
    const std::uint8_t* source = pixels + static_cast<std::size_t>(row) * gfx::kFrameWidth;
    for (int column = 0; column < gfx::kFrameWidth; ++column)
      line[column] = colours_[source[column]];
  }
  repaint();
  return true;
}

void FrameView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(event->rect(), picture_, event->rect());
}

void FrameView::SendMouseMessage(unsigned message, const QMouseEvent& event) {
  app::MainWindowProc(message, MouseFlags(event.buttons(), event.modifiers()),
                      ClientPosition(event.position().toPoint()));
}

void FrameView::mouseMoveEvent(QMouseEvent* event) {
  SendMouseMessage(WM_MOUSEMOVE, *event);
}

void FrameView::mousePressEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::LeftButton:
      SendMouseMessage(WM_LBUTTONDOWN, *event);
      break;
    case Qt::RightButton:
      SendMouseMessage(WM_RBUTTONDOWN, *event);
      break;
    case Qt::MiddleButton:
      SendMouseMessage(WM_MBUTTONDOWN, *event);
      break;
    default:
      break;
  }
}

void FrameView::mouseReleaseEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::LeftButton:
      SendMouseMessage(WM_LBUTTONUP, *event);
      break;
    case Qt::RightButton:
      SendMouseMessage(WM_RBUTTONUP, *event);
      break;
    case Qt::MiddleButton:
      SendMouseMessage(WM_MBUTTONUP, *event);
      break;
    default:
      break;
  }
}

// The window knows no double clicks: the second press is a press like the first.
void FrameView::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void FrameView::wheelEvent(QWheelEvent* event) {
  const int delta =
      std::clamp(event->angleDelta().y(), int{std::numeric_limits<std::int16_t>::min()},
                 int{std::numeric_limits<std::int16_t>::max()});
  if (delta == 0) return;
  const UINT flags = MouseFlags(event->buttons(), event->modifiers());
  // Wheel messages carry the screen position.
  app::MainWindowProc(WM_MOUSEWHEEL, MAKEWPARAM(flags, static_cast<unsigned>(delta)),
                      ClientPosition(event->globalPosition().toPoint()));
}

}  // namespace hosts::qt
