// The rules by which menu items are greyed, enabled, checked and renamed as the editor moves
// between its modes and as files are loaded.
#pragma once

#include <cstdint>
#include <string_view>

namespace app {

// Builds both menus from their resources and sets the radio bullets of 3D View and ROM Values.
void InitMenus();

// Greys (or enables) every item of the Edit, Tools and Display menus of the main menu. Enabling
// greys Paste again while the copy buffer is empty.
void DisableEditMenus();
void EnableEditMenus();

// The Edit Level item's text, in the main menu and the popup menu alike.
void SetEditItemText(std::string_view text);

// After a level ROM load: Save ROM and Hack 'Atari Arcade Hits'.
void EnableRomSaveItems();
// After a level ROM or level file load: Save TLD File.
void EnableFileSaveItem();

// Flips a view flag and sets its check mark in the main menu.
void ToggleFlag(std::int32_t& flag, int id);

// The Open/Closed radio pair of the main menu, set to match an open flag.
void CheckOpenClosedItem(bool open);

}  // namespace app
