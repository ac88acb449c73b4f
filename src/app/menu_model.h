// The state of the main menu and the popup menu as the host shows them: every item's text,
// greying, check mark and radio bullet. Changed only through the functions below, named after
// their Win32 counterparts; each change tells the host.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_names.h"
#include "resources/menus.h"

namespace app {

struct MenuItem;

struct Menu {
  std::vector<MenuItem> items;
};

struct MenuItem {
  resources::MenuTemplateItem::Kind kind = resources::MenuTemplateItem::kCommand;
  int id = 0;
  std::string text;
  bool grayed = false;
  bool checked = false;
  bool radio = false;  // a checked radio item shows a bullet instead of a check mark
  std::optional<Menu> submenu;
};

Menu BuildMenu(std::span<const resources::MenuTemplateItem> items);

Menu& MainMenu();
Menu& PopupMenu();
// Builds both menus from their resources, as they stand before start-up sets the radio pairs.
void LoadMenus();

int GetMenuItemCount(const Menu& menu);
Menu* GetSubMenu(Menu& menu, int position);
// By command the item is looked for in the submenus too; the first match counts.
MenuItem* FindMenuItem(Menu& menu, int id);
const MenuItem* FindMenuItem(const Menu& menu, int id);

// flags: MF_BYCOMMAND or MF_BYPOSITION, with MF_ENABLED, MF_GRAYED or MF_DISABLED.
void EnableMenuItem(Menu& menu, UINT id_or_position, UINT flags);
// Checks `check` as a radio item and clears the other items from `first` to `last` of the
// submenu that holds them (by command).
void CheckMenuRadioItem(Menu& menu, int first, int last, int check);
// SetMenuItemInfo with MIIM_TYPE and a string.
void SetMenuItemText(Menu& menu, int id, std::string_view text);
// SetMenuItemInfo with MIIM_STATE: MFS_GRAYED and MFS_CHECKED bits; 0 enables and unchecks.
void SetMenuItemState(Menu& menu, int id, UINT state);

}  // namespace app
