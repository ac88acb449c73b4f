// The icon and bitmap resources that dialog templates name, as Qt pictures: 102 the program's
// icon, 111..118 the colour swatches, bitmap 104 the About logo.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace hosts::qt {

inline constexpr int kProgramIconResource = 102;
inline constexpr int kLogoBitmapResource = 104;

QIcon ProgramIcon();
// A 32 x 32 picture; null for an unknown resource.
QPixmap IconPixmap(int icon_resource);
// Null for an unknown resource.
QPixmap BitmapPixmap(int bitmap_resource);

}  // namespace hosts::qt
