// The icon and bitmap resources that dialog templates name, as Qt pictures: 102 the program's
// icon, 111..118 the colour swatches, bitmap 104 the About logo.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace hosts::qt {

QIcon ProgramIcon();
// A 32 x 32 picture; null for an unknown resource.
QPixmap IconPixmap(int icon_resource);
// Null for an unknown resource.
QPixmap BitmapPixmap(int bitmap_resource);

}  // namespace hosts::qt
