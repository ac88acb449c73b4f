#include "app/menu_model.h"

#include "platform/host.h"

namespace app {
namespace {

Menu main_menu;
Menu popup_menu;

void Changed() {
  platform::CurrentHost().MenusChanged();
}

MenuItem* ItemAt(Menu& menu, UINT id_or_position, UINT flags) {
  if (flags & MF_BYPOSITION) {
    if (id_or_position >= menu.items.size()) return nullptr;
    return &menu.items[id_or_position];
  }
  return FindMenuItem(menu, static_cast<int>(id_or_position));
}

// The menu whose own items include `id`, searched depth first.
Menu* MenuHolding(Menu& menu, int id) {
  for (MenuItem& item : menu.items) {
    if (item.kind == resources::MenuTemplateItem::kCommand && item.id == id) return &menu;
    if (item.submenu) {
      if (Menu* found = MenuHolding(*item.submenu, id)) return found;
    }
  }
  return nullptr;
}

}  // namespace

Menu BuildMenu(std::span<const resources::MenuTemplateItem> items) {
  Menu menu;
  for (const resources::MenuTemplateItem& source : items) {
    MenuItem item;
    item.kind = source.kind;
    item.id = source.id;
    item.text = std::string(source.text);
    item.grayed = source.grayed;
    item.checked = source.checked;
    if (source.kind == resources::MenuTemplateItem::kSubmenu)
      item.submenu = BuildMenu(source.submenu);
    menu.items.push_back(std::move(item));
  }
  return menu;
}

Menu& MainMenu() {
  return main_menu;
}
Menu& PopupMenu() {
  return popup_menu;
}

void LoadMenus() {
  main_menu = BuildMenu(resources::MainMenuTemplate());
  popup_menu = BuildMenu(resources::PopupMenuTemplate());
}

int GetMenuItemCount(const Menu& menu) {
  return static_cast<int>(menu.items.size());
}

Menu* GetSubMenu(Menu& menu, int position) {
  if (position < 0 || position >= GetMenuItemCount(menu)) return nullptr;
  std::optional<Menu>& submenu = menu.items[static_cast<std::size_t>(position)].submenu;
  return submenu ? &*submenu : nullptr;
}

MenuItem* FindMenuItem(Menu& menu, int id) {
  return const_cast<MenuItem*>(FindMenuItem(static_cast<const Menu&>(menu), id));
}

const MenuItem* FindMenuItem(const Menu& menu, int id) {
  for (const MenuItem& item : menu.items) {
    if (item.kind == resources::MenuTemplateItem::kCommand && item.id == id) return &item;
    if (item.submenu) {
      if (const MenuItem* found = FindMenuItem(*item.submenu, id)) return found;
    }
  }
  return nullptr;
}

void EnableMenuItem(Menu& menu, UINT id_or_position, UINT flags) {
  MenuItem* item = ItemAt(menu, id_or_position, flags);
  if (item == nullptr) return;
  item->grayed = (flags & (MF_GRAYED | MF_DISABLED)) != 0;
  Changed();
}

void CheckMenuRadioItem(Menu& menu, int first, int last, int check) {
  Menu* holder = MenuHolding(menu, check);
  if (holder == nullptr) return;
  for (MenuItem& item : holder->items) {
    if (item.kind != resources::MenuTemplateItem::kCommand || item.id < first || item.id > last) {
      continue;
    }
    item.checked = item.id == check;
    item.radio = item.id == check;
  }
  Changed();
}

void SetMenuItemText(Menu& menu, int id, std::string_view text) {
  MenuItem* item = FindMenuItem(menu, id);
  if (item == nullptr) return;
  item->text = std::string(text);
  Changed();
}

void SetMenuItemState(Menu& menu, int id, UINT state) {
  MenuItem* item = FindMenuItem(menu, id);
  if (item == nullptr) return;
  item->grayed = (state & MFS_GRAYED) != 0;
  item->checked = (state & MFS_CHECKED) != 0;
  Changed();
}

}  // namespace app
