// Real menus from the editor's menu model: the bar (a menu from CreateMenu) and the popup menu
// (whose first submenu TrackPopupMenu shows) are built once and then kept in step with the
// model item by item: text, greying, check mark and radio bullet.
#pragma once

#include <windows.h>

#include "app/menu_model.h"

namespace hosts::win32 {

// Makes `menu` show `model`; builds it anew when its items are not those of the model.
void SyncMenu(HMENU menu, const app::Menu& model);

}  // namespace hosts::win32
