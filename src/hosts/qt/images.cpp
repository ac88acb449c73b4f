#include "hosts/qt/images.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

#include "hosts/qt/program_icon.h"
#include "resources/embedded.h"

namespace hosts::qt {
namespace {

constexpr int kIconSize = 32;
constexpr int kSwatchBorder = 2;

// The colour swatches are squares of their colour.
QColor SwatchColour(int icon_resource) {
  switch (icon_resource) {
    case 111:
      return Qt::white;
    case 112:
      return Qt::black;
    case 113:
      return QColor(255, 0, 0);
    case 114:
      return QColor(0, 255, 0);
    case 115:
      return QColor(0, 0, 255);
    case 116:
      return QColor(255, 0, 255);
    case 117:
      return QColor(0, 255, 255);
    case 118:
      return QColor(255, 255, 0);
    default:
      return QColor();
  }
}

QPixmap ProgramIconPixmap() {
  const auto png = resources::ProgramIconPng();
  QPixmap pixmap;
  pixmap.loadFromData(png.data(), static_cast<uint>(png.size()), "PNG");
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  return QIcon(ProgramIconPixmap());
}

QPixmap IconPixmap(int icon_resource) {
  if (icon_resource == kProgramIconResource) {
    return ProgramIconPixmap().scaled(kIconSize, kIconSize, Qt::KeepAspectRatio,
                                      Qt::SmoothTransformation);
  }
  const QColor colour = SwatchColour(icon_resource);
  if (!colour.isValid()) return QPixmap();
  QPixmap swatch(kIconSize, kIconSize);
  swatch.fill(colour);
  // A dark border, so that the white swatch does not look like an empty button.
  QPainter painter(&swatch);
  painter.setPen(QPen(QColor(64, 64, 64), kSwatchBorder));
  painter.drawRect(QRectF(swatch.rect()).adjusted(1, 1, -1, -1));
  return swatch;
}

QPixmap BitmapPixmap(int bitmap_resource) {
  if (bitmap_resource != kLogoBitmapResource) return QPixmap();
  const auto bmp = resources::LogoBitmap();
  QPixmap pixmap;
  pixmap.loadFromData(bmp.data(), static_cast<uint>(bmp.size()), "BMP");
  return pixmap;
}

}  // namespace hosts::qt
