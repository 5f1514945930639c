#pragma once
// COrvikMenu: one of the program's pop-up menus (a menu resource of menu_resources.h) as a
// QMenu in the owner-drawn look of COrvikMenuStyle, submenus included. Choosing an item emits
// commandChosen with its command id.

#include <QMenu>
#include <memory>
#include <vector>

#include "window/menu_resources.h"

namespace tarvosk {

class COrvikMenuStyle;

class COrvikMenu : public QMenu {
  Q_OBJECT

 public:
  explicit COrvikMenu(QWidget* parent = nullptr);
  ~COrvikMenu() override;

  // Replaces the menu's items with those of menu resource `resource` (154, 157, 161, 162).
  void loadResource(int resource);
  // The entry table of the loaded menu, depth first.
  const std::vector<OwnerDrawEntry>& entries() const { return m_entries; }
  // The action carrying command `id`, searching submenus too; null when absent.
  QAction* actionForCommand(int32_t id) const;

 Q_SIGNALS:
  void commandChosen(int id);

 private:
  void fill(QMenu* menu, const std::vector<MenuEntry>& items);

  std::unique_ptr<COrvikMenuStyle> m_style;
  std::vector<OwnerDrawEntry> m_entries;
};

}  // namespace tarvosk
