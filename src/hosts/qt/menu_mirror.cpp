#include "hosts/qt/menu_mirror.h"

#include <QActionGroup>

#include "hosts/qt/text_codec.h"

namespace hosts::qt {
namespace {

using Kind = resources::MenuTemplateItem::Kind;

// A checked radio item shows a bullet: Qt draws one for an action of an exclusive group. Each
// such action gets a group of its own, since one menu may hold several radio pairs.
void ShowCheck(QAction& action, const app::MenuItem& item) {
  action.setCheckable(item.checked);
  action.setChecked(item.checked);
  if (item.radio && item.checked) {
    if (action.actionGroup() == nullptr) {
      auto* group = new QActionGroup(&action);
      group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
      action.setActionGroup(group);
    }
  } else if (action.actionGroup() != nullptr) {
    QActionGroup* group = action.actionGroup();
    action.setActionGroup(nullptr);
    delete group;
  }
}

}  // namespace

MenuMirror::MenuMirror(QWidget& target, ChooseCommand choose)
    : target_(target), choose_(std::move(choose)) {}

void MenuMirror::Sync(const app::Menu& model) {
  std::size_t next = 0;
  if (items_.empty() || !SameShape(model, next) || next != items_.size()) Build(model);
  next = 0;
  UpdateItems(model, next);
}

bool MenuMirror::SameShape(const app::Menu& model, std::size_t& next) const {
  for (const app::MenuItem& item : model.items) {
    if (next >= items_.size()) return false;
    const Mirrored& mirrored = items_[next++];
    if (mirrored.kind != item.kind || mirrored.id != item.id) return false;
    if (item.submenu && !SameShape(*item.submenu, next)) return false;
  }
  return true;
}

void MenuMirror::Build(const app::Menu& model) {
  if (auto* bar = qobject_cast<QMenuBar*>(&target_)) bar->clear();
  if (auto* popup = qobject_cast<QMenu*>(&target_)) popup->clear();
  // Nested submenus and every action go with the submenus they belong to.
  for (QMenu* submenu : submenus_)
    delete submenu;
  submenus_.clear();
  items_.clear();
  AddItems(target_, model);
}

void MenuMirror::AddItems(QWidget& menu, const app::Menu& model) {
  auto* bar = qobject_cast<QMenuBar*>(&menu);
  auto* popup = qobject_cast<QMenu*>(&menu);
  for (const app::MenuItem& item : model.items) {
    if (item.kind == Kind::kSeparator) {
      if (popup != nullptr) popup->addSeparator();
      items_.push_back({nullptr, item.kind, item.id});
    } else if (item.submenu) {
      QMenu* submenu = bar != nullptr ? new QMenu(bar) : new QMenu(popup);
      if (&menu == &target_) submenus_.push_back(submenu);
      menu.addAction(submenu->menuAction());
      items_.push_back({submenu->menuAction(), item.kind, item.id});
      AddItems(*submenu, *item.submenu);
    } else {
      auto* action = new QAction(&menu);
      const int id = item.id;
      QObject::connect(action, &QAction::triggered, [this, id] { choose_(id); });
      menu.addAction(action);
      items_.push_back({action, item.kind, item.id});
    }
  }
}

void MenuMirror::UpdateItems(const app::Menu& model, std::size_t& next) {
  for (const app::MenuItem& item : model.items) {
    QAction* action = items_[next++].action;
    if (action == nullptr) continue;
    const QString text = FromWindows1252(item.text);
    if (action->text() != text) action->setText(text);
    action->setEnabled(!item.grayed);
    if (item.submenu) {
      UpdateItems(*item.submenu, next);
    } else {
      ShowCheck(*action, item);
    }
  }
}

}  // namespace hosts::qt
