#include "menu_dlg.h"

namespace tarvosk {

CMenuDlg::CMenuDlg(PopupKind kind, const PopupLevelConfig& config, QWidget* parent)
    : SkinnedMenuWindow(config, popupImages(kind), parent), m_kind(kind) {
  setWindowTitle(QStringLiteral("MainMenuDlg"));
  setObjectName(QStringLiteral("MainMenuDlg"));
  const int rowHeight = popupRowHeight(kind, maskHeight());
  std::vector<std::string> texts = popupRowTexts(kind, config.texts);
  const int rows = popupRowCount(kind, static_cast<int>(config.texts.groupNames.size()));
  texts.resize(static_cast<std::size_t>(rows));
  setRows(std::move(texts), rowHeight, popupHeight(rows, rowHeight));
}

int CMenuDlg::textX(int width, int textWidth) const { return rowTextX(m_kind, width, textWidth); }

}  // namespace tarvosk
