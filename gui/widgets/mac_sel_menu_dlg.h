#pragma once
// MacSelMenuDlg: the third level, listing the macros of the group under the pointer in the
// second level. It has no pressed look.

#include "skinned_menu_window.h"

namespace tarvosk {

class MacSelMenuDlg : public SkinnedMenuWindow {
  Q_OBJECT

 public:
  // The macros of group `groupIndex` (0-based) as `config.texts.macroNames` lists them; a group
  // without macros gives a window of height 0.
  MacSelMenuDlg(int groupIndex, const PopupLevelConfig& config, QWidget* parent = nullptr);

  int groupIndex() const { return m_group; }

 protected:
  int textX(int width, int textWidth) const override { return centredTextX(width, textWidth); }

 private:
  int m_group;
};

}  // namespace tarvosk
