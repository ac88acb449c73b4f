#include "hosts/win32/menu_builder.h"

#include <string>

#include "hosts/win32/text_codec.h"

namespace hosts::win32 {
namespace {

using Kind = resources::MenuTemplateItem::Kind;

void AppendItems(HMENU menu, const app::Menu& model) {
  for (const app::MenuItem& item : model.items) {
    const std::wstring text = FromWindows1252(item.text);
    if (item.kind == Kind::kSeparator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (item.submenu) {
      HMENU submenu = CreatePopupMenu();
      AppendItems(submenu, *item.submenu);
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), text.c_str());
    }
  }
}

// Whether `menu` holds the model's items in its order, down to the submenus.
bool SameShape(HMENU menu, const app::Menu& model) {
  if (GetMenuItemCount(menu) != static_cast<int>(model.items.size())) return false;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    const app::MenuItem& item = model.items[static_cast<std::size_t>(position)];
    HMENU submenu = GetSubMenu(menu, position);
    if ((submenu != nullptr) != item.submenu.has_value()) return false;
    if (submenu != nullptr && !SameShape(submenu, *item.submenu)) return false;
    if (submenu == nullptr && item.kind != Kind::kSeparator &&
        GetMenuItemID(menu, position) != static_cast<UINT>(item.id)) {
      return false;
    }
  }
  return true;
}

void UpdateItems(HMENU menu, const app::Menu& model) {
  for (std::size_t position = 0; position < model.items.size(); ++position) {
    const app::MenuItem& item = model.items[position];
    if (item.kind == Kind::kSeparator) continue;
    std::wstring text = FromWindows1252(item.text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.fType = MFT_STRING | (item.radio ? MFT_RADIOCHECK : 0);
    info.fState = (item.grayed ? MFS_GRAYED : MFS_ENABLED) | (item.checked ? MFS_CHECKED : 0);
    info.dwTypeData = text.data();
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    if (item.submenu) UpdateItems(GetSubMenu(menu, static_cast<int>(position)), *item.submenu);
  }
}

}  // namespace

void SyncMenu(HMENU menu, const app::Menu& model) {
  if (!SameShape(menu, model)) {
    while (GetMenuItemCount(menu) > 0)
      DeleteMenu(menu, 0, MF_BYPOSITION);  // destroys the submenus too
    AppendItems(menu, model);
  }
  UpdateItems(menu, model);
}

}  // namespace hosts::win32
