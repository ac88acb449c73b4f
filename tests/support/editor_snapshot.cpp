#include "support/editor_snapshot.h"

#include <gtest/gtest.h>

#include <bit>

#include "app/editor_state.h"
#include "app/menu_model.h"
#include "files/level_rom_file.h"
#include "files/text_rom.h"

namespace testing_support {
namespace {

void Flatten(const app::Menu& menu, std::vector<MenuItemState>& items) {
  for (const app::MenuItem& item : menu.items) {
    items.push_back({item.id, item.text, item.grayed, item.checked, item.radio});
    if (item.submenu) Flatten(*item.submenu, items);
  }
}

}  // namespace

EditorSnapshot::EditorSnapshot()
    : level_rom_image(level::level_rom_image.begin(), level::level_rom_image.end()),
      accurate_x(std::bit_cast<CoordinateBits>(level::accurate_x)),
      accurate_y(std::bit_cast<CoordinateBits>(level::accurate_y)),
      editor_mode(app::editor.editor_mode),
      mouse_buttons(app::mouse.buttons),
      ignore_buttons(app::mouse.ignore_buttons),
      level_rom_loaded(files::level_rom_loaded),
      text_rom_loaded(files::text_rom_loaded),
      text_rom_image(files::text_rom_image.begin(), files::text_rom_image.end()) {
  Flatten(app::MainMenu(), menus);
  Flatten(app::PopupMenu(), menus);
}

void ExpectUnchanged(const EditorSnapshot& before) {
  const EditorSnapshot now;
  EXPECT_TRUE(now.level_rom_image == before.level_rom_image) << "the level ROM image changed";
  EXPECT_TRUE(now.accurate_x == before.accurate_x && now.accurate_y == before.accurate_y)
      << "the coordinates changed";
  EXPECT_TRUE(now.menus == before.menus) << "the menu state changed";
  EXPECT_TRUE(now.text_rom_image == before.text_rom_image) << "the text ROM image changed";
  EXPECT_TRUE(now == before) << "the mode, the mouse or a loaded flag changed";
}

}  // namespace testing_support
