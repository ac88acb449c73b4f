#include "hosts/qt/images.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <optional>

#include "hosts/qt/program_icon.h"
#include "resources/colour_dialogs.h"
#include "resources/embedded.h"
#include "resources/tool_dialogs.h"

namespace hosts::qt {
namespace {

constexpr int kIconSize = 32;
constexpr int kSwatchBorder = 2;

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
  if (icon_resource == resources::kProgramIconResource) {
    return ProgramIconPixmap().scaled(kIconSize, kIconSize, Qt::KeepAspectRatio,
                                      Qt::SmoothTransformation);
  }
  const std::optional<resources::SwatchRgb> colour = resources::SwatchIconColour(icon_resource);
  if (!colour) return QPixmap();
  QPixmap swatch(kIconSize, kIconSize);
  swatch.fill(QColor(colour->red, colour->green, colour->blue));
  // A dark border, so that the white swatch does not look like an empty button.
  QPainter painter(&swatch);
  painter.setPen(QPen(QColor(64, 64, 64), kSwatchBorder));
  painter.drawRect(QRectF(swatch.rect()).adjusted(1, 1, -1, -1));
  return swatch;
}

QPixmap BitmapPixmap(int bitmap_resource) {
  if (bitmap_resource != resources::kLogoBitmapResource) return QPixmap();
  const auto bmp = resources::LogoBitmap();
  QPixmap pixmap;
  pixmap.loadFromData(bmp.data(), static_cast<uint>(bmp.size()), "BMP");
  return pixmap;
}

}  // namespace hosts::qt
