#include "orvik_menu.h"

#include "orvik_menu_style.h"

namespace tarvosk {

namespace {

QAction* findCommand(const QMenu* menu, int32_t id) {
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr) {
      if (QAction* found = findCommand(action->menu(), id)) return found;
    } else if (!action->isSeparator() && action->data().toInt() == id) {
      return action;
    }
  }
  return nullptr;
}

}  // namespace

COrvikMenu::COrvikMenu(QWidget* parent) : QMenu(parent), m_style(std::make_unique<COrvikMenuStyle>()) {
  setStyle(m_style.get());
}

COrvikMenu::~COrvikMenu() {
  // Submenus are children of this menu and use the style; they go before it does.
  clear();
  qDeleteAll(findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
}

void COrvikMenu::loadResource(int resource) {
  clear();
  qDeleteAll(findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
  const std::vector<MenuEntry>& items = menuResource(resource);
  m_entries = ownerDrawEntries(items);
  fill(this, items);
}

QAction* COrvikMenu::actionForCommand(int32_t id) const { return findCommand(this, id); }

void COrvikMenu::fill(QMenu* menu, const std::vector<MenuEntry>& items) {
  for (const MenuEntry& e : items) {
    const QString text = QString::fromStdString(e.text);
    if (e.isSeparator()) {
      menu->addSeparator();
    } else if (e.isSubmenu()) {
      auto* sub = new QMenu(text, this);
      sub->setStyle(m_style.get());
      fill(sub, e.children);
      menu->addMenu(sub);
    } else {
      QAction* action = menu->addAction(text);
      action->setData(e.id);
      connect(action, &QAction::triggered, this, [this, id = e.id] { Q_EMIT commandChosen(id); });
    }
  }
}

}  // namespace tarvosk
