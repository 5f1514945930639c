#include "sub_menu_dlg.h"

namespace tarvosk {

CSubMenuDlg::CSubMenuDlg(int firstLevelRow, const PopupLevelConfig& config, QWidget* parent)
    : SkinnedMenuWindow(config, subMenuImages(firstLevelRow == kGroupsSubMenuRow), parent), m_firstRow(firstLevelRow) {
  setWindowTitle(QStringLiteral("SubMenuDlg"));
  setObjectName(QStringLiteral("SubMenuDlg"));
  const int rowHeight = subMenuRowHeight(maskHeight());
  std::vector<std::string> texts = subMenuRowTexts(firstLevelRow, config.texts);
  const int rows = subMenuRowCount(firstLevelRow, static_cast<int>(config.texts.groupNames.size()));
  texts.resize(static_cast<std::size_t>(rows));
  setRows(std::move(texts), rowHeight, subLevelHeight(rows, rowHeight));
}

}  // namespace tarvosk
