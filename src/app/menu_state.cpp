#include "app/menu_state.h"

#include "app/menu_model.h"
#include "level/level_store.h"
#include "resources/command_ids.h"

namespace app {
namespace {

// Edit, Tools and Display: every top-level menu but the first (File) and the last (Help).
// Nested submenus are greyed as items of their parent; their own items are not touched.
void SetEditMenusEnabling(UINT flag) {
  Menu& main = MainMenu();
  const int count = GetMenuItemCount(main);
  for (int p = 1; p <= count - 2; ++p) {
    Menu* submenu = GetSubMenu(main, p);
    if (submenu == nullptr) continue;
    for (int q = 0; q < GetMenuItemCount(*submenu); ++q) {
      EnableMenuItem(*submenu, static_cast<UINT>(q), MF_BYPOSITION | flag);
    }
  }
}

}  // namespace

void InitMenus() {
  LoadMenus();
  CheckMenuRadioItem(MainMenu(), resources::kView3D, resources::kView2D, resources::kView3D);
  CheckMenuRadioItem(MainMenu(), resources::kRomValues, resources::kAccurateValues,
                     resources::kRomValues);
}

void DisableEditMenus() {
  SetEditMenusEnabling(MF_GRAYED);
}

void EnableEditMenus() {
  SetEditMenusEnabling(MF_ENABLED);
  if (!level::copy_buffer_full) {
    EnableMenuItem(MainMenu(), resources::kPaste, MF_BYCOMMAND | MF_GRAYED);
  }
}

void SetEditItemText(std::string_view text) {
  SetMenuItemText(MainMenu(), resources::kEditLevel, text);
  SetMenuItemText(PopupMenu(), resources::kEditLevel, text);
}

void EnableRomSaveItems() {
  SetMenuItemState(MainMenu(), resources::kSaveRom, MFS_ENABLED);
  SetMenuItemState(MainMenu(), resources::kHackArcadeHits, MFS_ENABLED);
}

void EnableFileSaveItem() {
  SetMenuItemState(MainMenu(), resources::kSaveTld, MFS_ENABLED);
}

void ToggleFlag(std::int32_t& flag, int id) {
  flag = flag == 0 ? 1 : 0;
  SetMenuItemState(MainMenu(), id, flag == 1 ? MFS_CHECKED : MFS_UNCHECKED);
}

void CheckOpenClosedItem(bool open) {
  CheckMenuRadioItem(MainMenu(), resources::kOpen, resources::kClosed,
                     open ? resources::kOpen : resources::kClosed);
}

}  // namespace app
