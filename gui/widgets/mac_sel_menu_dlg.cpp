#include "mac_sel_menu_dlg.h"

#include <algorithm>

namespace tarvosk {

MacSelMenuDlg::MacSelMenuDlg(int groupIndex, const PopupLevelConfig& config, QWidget* parent)
    : SkinnedMenuWindow(config, macroSelImages(), parent), m_group(groupIndex) {
  setWindowTitle(QStringLiteral("MacSelMenuDlg"));
  setObjectName(QStringLiteral("MacSelMenuDlg"));
  const int rowHeight = subMenuRowHeight(maskHeight());
  std::vector<std::string> texts;
  const auto& names = config.texts.macroNames;
  if (groupIndex >= 0 && groupIndex < static_cast<int>(names.size())) {
    texts = names[static_cast<std::size_t>(groupIndex)];
    if (texts.size() > static_cast<std::size_t>(kMacrosPerGroup)) texts.resize(kMacrosPerGroup);
  }
  const int rows = static_cast<int>(texts.size());
  setRows(std::move(texts), rowHeight, subLevelHeight(rows, rowHeight));
}

}  // namespace tarvosk
