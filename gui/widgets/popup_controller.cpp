#include "popup_controller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

#include "about_dlg.h"
#include "mac_sel_menu_dlg.h"
#include "menu_dlg.h"
#include "settings/settings_rules.h"
#include "sub_menu_dlg.h"
#include "warning_dlg.h"
#include "window/popup_menu.h"
#include "window/popup_warning.h"

namespace tarvosk {

namespace {

template <typename T>
void dispose(QPointer<T>& level) {
  if (!level) return;
  level->disconnect();
  level->hide();
  // A level may be in the middle of reporting its own release.
  level->deleteLater();
  level = nullptr;
}

bool isMenuKey(int key) {
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: return true;
    default: return false;
  }
}

}  // namespace

PopupController::PopupController(PopupContext context, QObject* parent)
    : QObject(parent), m_context(std::move(context)) {}

PopupController::~PopupController() {
  qApp->removeEventFilter(this);
  delete m_macroMenu.data();
  delete m_subMenu.data();
  delete m_menu.data();
}

CMenuDlg* PopupController::menu() const { return m_menu.data(); }
CSubMenuDlg* PopupController::subMenu() const { return m_subMenu.data(); }
MacSelMenuDlg* PopupController::macroMenu() const { return m_macroMenu.data(); }
bool PopupController::isOpen() const { return !m_menu.isNull(); }

bool PopupController::open(const PopupRequest& request, QPoint mainWindowTopLeftOnScreen, int selectedButton) {
  closeAll();
  const SettingsRecord settings = m_context.snapshot ? m_context.snapshot() : SettingsRecord{};
  const PopupMacroNames names = m_context.macroNames ? m_context.macroNames() : PopupMacroNames{};
  PopupTexts texts;
  texts.language = settings.language;
  if (m_context.layout) texts.functionNames = m_context.layout().functionNames;
  texts.profileNames = settings.profileName;
  texts.groupNames = names.groupNames;
  texts.macroNames = names.macroNames;
  m_config = PopupLevelConfig{m_context.skinsDir, std::move(texts), m_context.font, request.width};
  m_selectedButton = std::clamp(selectedButton, 0, kButtons - 1);
  m_currentGroup = names.currentGroup;
  m_currentMacro = names.currentMacro;

  auto* menu = new CMenuDlg(request.kind, m_config, m_context.owner);
  if (menu->rowCount() == 0 || menu->height() == 0) {
    delete menu;
    return false;
  }
  connect(menu, &SkinnedMenuWindow::hoveredRowChanged, this, &PopupController::onMenuHover);
  connect(menu, &SkinnedMenuWindow::rowReleased, this, &PopupController::onMenuRelease);
  menu->move(mainWindowTopLeftOnScreen + QPoint(request.x, request.y));
  menu->show();
  m_menu = menu;
  m_chain = openedChain(request.kind);
  m_keyboardLevel = 1;
  qApp->installEventFilter(this);
  return true;
}

void PopupController::closeAll() {
  const bool wasOpen = isOpen();
  qApp->removeEventFilter(this);
  dispose(m_macroMenu);
  dispose(m_subMenu);
  dispose(m_menu);
  m_chain = closedChain();
  m_keyboardLevel = 1;
  if (wasOpen) Q_EMIT closed();
}

void PopupController::onMenuHover(int row) {
  m_chain = afterFirstLevelHover(m_chain, row);
  syncSubMenu();
}

void PopupController::onSubMenuHover(int row) {
  m_chain = afterSubMenuHover(m_chain, row, static_cast<int>(m_config.texts.groupNames.size()));
  syncMacroMenu();
}

void PopupController::syncSubMenu() {
  const int wanted = m_chain.subMenuRow;
  if (m_subMenu && m_subMenu->firstLevelRow() == wanted) return;
  dispose(m_macroMenu);
  dispose(m_subMenu);
  if (m_keyboardLevel > 1) m_keyboardLevel = 1;
  if (wanted == 0 || !m_menu) return;
  PopupLevelConfig config = m_config;
  config.requestedWidth = kSubMenuRequestWidth;
  auto* sub = new CSubMenuDlg(wanted, config, m_context.owner);
  if (sub->rowCount() == 0) {
    delete sub;  // no groups: the level would be invisible
    return;
  }
  connect(sub, &SkinnedMenuWindow::hoveredRowChanged, this, &PopupController::onSubMenuHover);
  connect(sub, &SkinnedMenuWindow::rowReleased, this, &PopupController::onSubMenuRelease);
  const int groups = static_cast<int>(m_config.texts.groupNames.size());
  sub->move(m_menu->pos() + QPoint(m_menu->width(), subMenuOffsetRows(wanted, groups) * m_menu->rowHeight()));
  sub->show();
  m_subMenu = sub;
}

void PopupController::syncMacroMenu() {
  const int wanted = m_chain.macroGroup;
  if (m_macroMenu && m_macroMenu->groupIndex() == wanted) return;
  dispose(m_macroMenu);
  if (m_keyboardLevel > 2) m_keyboardLevel = 2;
  if (wanted < 0 || !m_subMenu) return;
  PopupLevelConfig config = m_config;
  config.requestedWidth = kSubMenuRequestWidth;
  auto* macros = new MacSelMenuDlg(wanted, config, m_context.owner);
  if (macros->rowCount() == 0) {
    delete macros;  // a group without macros: the level would be invisible
    return;
  }
  connect(macros, &SkinnedMenuWindow::rowReleased, this, &PopupController::onMacroMenuRelease);
  macros->move(m_subMenu->pos() + QPoint(m_subMenu->width(), wanted * m_subMenu->rowHeight()));
  macros->show();
  m_macroMenu = macros;
}

void PopupController::onMenuRelease(int row) {
  execute(firstLevelRelease(m_chain.kind, row, static_cast<int>(m_config.texts.groupNames.size())));
}

void PopupController::onSubMenuRelease(int row) {
  execute(subMenuRelease(m_chain.subMenuRow, row, static_cast<int>(m_config.texts.groupNames.size())));
}

void PopupController::onMacroMenuRelease(int row) {
  const int group = m_chain.macroGroup;
  const auto& names = m_config.texts.macroNames;
  const int count = group >= 0 && group < static_cast<int>(names.size())
                        ? static_cast<int>(names[static_cast<std::size_t>(group)].size())
                        : 0;
  execute(macroSelRelease(group, row, count));
}

void PopupController::execute(const PopupAction& action) {
  using T = PopupAction::Type;
  if (!action.closesMenus()) return;
  const PopupKind kind = m_chain.kind;
  const int button = m_selectedButton;
  closeAll();
  const auto change = [this](const std::function<void(SettingsRecord&)>& f) {
    if (m_context.changeSettings && m_context.changeSettings(f)) Q_EMIT settingsChanged();
  };
  switch (action.type) {
    case T::AssignFunction:
      change([button, code = action.value](SettingsRecord& s) { assignButtonFunction(s, button, code); });
      break;
    case T::SetLedType:
      change([type = action.value](SettingsRecord& s) { s.ledType = static_cast<uint8_t>(type); });
      break;
    case T::ChooseGroup: Q_EMIT macroGroupChosen(m_currentGroup, action.value, m_currentMacro); break;
    case T::MacroFile: Q_EMIT macroFileAction(action.value); break;
    case T::LedEventValue: Q_EMIT ledEventValue(kind, action.value); break;
    case T::None: break;
  }
}

SkinnedMenuWindow* PopupController::keyboardLevel() const {
  if (m_keyboardLevel >= 3 && m_macroMenu) return m_macroMenu;
  if (m_keyboardLevel >= 2 && m_subMenu) return m_subMenu;
  return m_menu;
}

bool PopupController::handleKey(int key) {
  SkinnedMenuWindow* level = keyboardLevel();
  if (!level) return false;
  const int rows = level->rowCount();
  const int row = level->hoveredRow();
  switch (key) {
    case Qt::Key_Escape: closeAll(); break;
    case Qt::Key_Down: level->setHoveredRow(row == kNoRow ? 1 : row % rows + 1); break;
    case Qt::Key_Up: level->setHoveredRow(row == kNoRow || row == 1 ? rows : row - 1); break;
    case Qt::Key_Right:
      if (m_keyboardLevel == 1 && m_subMenu) {
        m_keyboardLevel = 2;
        if (m_subMenu->hoveredRow() == kNoRow) m_subMenu->setHoveredRow(1);
      } else if (m_keyboardLevel == 2 && m_macroMenu) {
        m_keyboardLevel = 3;
        if (m_macroMenu->hoveredRow() == kNoRow) m_macroMenu->setHoveredRow(1);
      }
      break;
    case Qt::Key_Left:
      if (m_keyboardLevel > 1) --m_keyboardLevel;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (level == m_macroMenu) {
        onMacroMenuRelease(row);
      } else if (level == m_subMenu) {
        onSubMenuRelease(row);
      } else {
        onMenuRelease(row);
      }
      break;
    default: return false;
  }
  return true;
}

bool PopupController::isPopupWindow(const QObject* object) const {
  return object != nullptr && (object == m_menu || object == m_subMenu || object == m_macroMenu);
}

bool PopupController::eventFilter(QObject* watched, QEvent* event) {
  if (!isOpen()) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const auto* widget = qobject_cast<QWidget*>(watched);
      if (widget != nullptr && !isPopupWindow(widget->window())) closeAll();
      return false;
    }
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (qobject_cast<QWidget*>(watched) == nullptr || !isMenuKey(key->key())) return false;
      handleKey(key->key());
      return true;
    }
    case QEvent::ApplicationStateChange:
      if (QGuiApplication::applicationState() != Qt::ApplicationActive) closeAll();
      return false;
    default: return false;
  }
}

int PopupController::showWarning(QWidget* mainWindow, int selectedButton) {
  QPoint pos = mainWindow != nullptr ? mainWindow->mapToGlobal(QPoint(0, 0)) : QPoint();
  if (m_context.layout && selectedButton >= 0 && selectedButton < kButtons) {
    const LayoutItem& item = m_context.layout().main[static_cast<std::size_t>(20 + selectedButton)];
    pos += QPoint(item.x, item.y + item.height);
  }
  return showWarningAt(mainWindow, pos);
}

int PopupController::showWarningAt(QWidget* parent, QPoint topLeftOnScreen) {
  closeAll();
  std::array<LayoutItem, kWarningItemCount> items{};
  if (m_context.layout) items = m_context.layout().warning;
  WarningDlg dialog(m_context.skinsDir, items, m_context.font, m_warningChoice, parent);
  dialog.move(topLeftOnScreen);
  const int result = dialog.exec();
  m_warningChoice = dialog.hoveredChoice();
  return result == kWarningFirstChoice ? kWarningFirstChoice : kWarningSecondChoice;
}

void PopupController::showAbout(QWidget* parent) {
  CAboutDlg about(parent);
  about.exec();
}

}  // namespace tarvosk
