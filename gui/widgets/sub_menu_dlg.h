#pragma once
// CSubMenuDlg: the second level beside rows 7..11 of the button-function menu: further
// functions, multimedia keys, the macro groups, built-in macros or the profile switches.

#include "skinned_menu_window.h"

namespace tarvosk {

class CSubMenuDlg : public SkinnedMenuWindow {
  Q_OBJECT

 public:
  CSubMenuDlg(int firstLevelRow, const PopupLevelConfig& config, QWidget* parent = nullptr);

  int firstLevelRow() const { return m_firstRow; }
  bool listsGroups() const { return m_firstRow == kGroupsSubMenuRow; }

 protected:
  int textX(int width, int textWidth) const override { return centredTextX(width, textWidth); }

 private:
  int m_firstRow;
};

}  // namespace tarvosk
