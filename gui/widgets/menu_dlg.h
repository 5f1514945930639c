#pragma once
// CMenuDlg: the first-level popup menu of one kind (button functions, macro groups, the macro
// file menu, lighting modes, and the three lighting-event value menus).

#include "skinned_menu_window.h"

namespace tarvosk {

class CMenuDlg : public SkinnedMenuWindow {
  Q_OBJECT

 public:
  // Builds the level for `kind` from its look set; the group menu has one row per group of
  // `config.texts`. A kind without rows (no group) gives a window of height 0.
  CMenuDlg(PopupKind kind, const PopupLevelConfig& config, QWidget* parent = nullptr);

  PopupKind kind() const { return m_kind; }

 protected:
  int textX(int width, int textWidth) const override;

 private:
  PopupKind m_kind;
};

}  // namespace tarvosk
