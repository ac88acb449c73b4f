// Shows the editor's menu model in Qt widgets: the menu bar and the popup menu. The model's
// shape (items, separators, submenus) is built once and rebuilt only when it changes; texts,
// greying, check marks and radio bullets are updated in place whenever the model changes.
#pragma once

#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <vector>

#include "app/menu_model.h"

namespace hosts::qt {

class MenuMirror {
 public:
  // Called with the command id when the person chooses an item.
  using ChooseCommand = std::function<void(int id)>;

  // `target` is a QMenuBar (whose items are the model's top-level submenus) or a QMenu.
  MenuMirror(QWidget& target, ChooseCommand choose);

  void Sync(const app::Menu& model);

 private:
  struct Mirrored {
    QAction* action;  // the item, or a submenu's menu action; null for separators
    int kind;
    int id;
  };

  void Build(const app::Menu& model);
  void AddItems(QWidget& menu, const app::Menu& model);
  void UpdateItems(const app::Menu& model, std::size_t& next);
  bool SameShape(const app::Menu& model, std::size_t& next) const;

  QWidget& target_;
  ChooseCommand choose_;
  std::vector<Mirrored> items_;   // depth first, as the model lists them
  std::vector<QMenu*> submenus_;  // the target's own; nested ones are their children
};

}  // namespace hosts::qt
