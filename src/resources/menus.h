// The menu resources: the main menu bar (101) and the right-click popup menu (103), with their
// texts ("&" marks the access key), identifiers and the state each item starts in.
#pragma once

#include <span>
#include <string_view>

namespace resources {

constexpr int kMainMenuId = 101;
constexpr int kPopupMenuId = 103;

struct MenuTemplateItem {
  enum Kind { kCommand, kSeparator, kSubmenu };
  Kind kind;
  int id;  // commands only
  std::string_view text;
  bool grayed = false;
  bool checked = false;
  std::span<const MenuTemplateItem> submenu = {};
};

std::span<const MenuTemplateItem> MainMenuTemplate();
std::span<const MenuTemplateItem> PopupMenuTemplate();

}  // namespace resources
