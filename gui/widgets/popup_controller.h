#pragma once
// PopupController: the one object the main window owns for its popup menus and the warning
// window. The window's pointer handling decides "open popup kind n at x, y, width" (a
// PopupRequest) and calls open(); the controller builds the levels, follows the pointer and the
// keyboard through them, executes what a release decides (core/window/popup_menu.h) and reports
// to the window through the signals below.
//
// Behaviour:
// - One chain of popups at a time: open() first closes whatever is open. A chain is a
//   first-level CMenuDlg, the CSubMenuDlg beside rows 7..11 of the button-function menu and the
//   MacSelMenuDlg beside a group row of that second level; both lower levels follow the row under
//   the pointer (one window per level, rebuilt when its row changes).
// - A release on a row that acts closes the whole chain first, then changes the settings or
//   emits the signal. A release on no row, or on a row that leads to a lower level, does nothing.
// - A left press anywhere outside the open levels (the main window included), Escape, and the
//   application losing the focus close the chain. The press itself then goes on to its widget.
// - Keyboard while open: Up/Down move the lit row of the innermost level the keyboard is in
//   (wrapping), Right enters the lower level of the lit row, Left goes back up, Enter/Return
//   acts on the lit row like a release, Escape closes. These keys are taken from whichever of
//   the program's windows has the focus.
//
// Setting changes go through PopupContext::changeSettings; when it refuses (an apply runs) the
// chain still closes and nothing changes.

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>

#include "popup_level_config.h"
#include "settings/settings_record.h"
#include "skin/skin_layout.h"
#include "window/popup_chain.h"
#include "window/popup_macro_names.h"
#include "window/popup_request.h"

class QWidget;

namespace tarvosk {

class CMenuDlg;
class CSubMenuDlg;
class MacSelMenuDlg;
class SkinnedMenuWindow;
struct PopupAction;

struct PopupContext {
  // Folder of the skin images (menu*, more*, Macro_menu*, warning*).
  QString skinsDir;
  // A copy of the settings record (language, current profile, profile names, button functions).
  std::function<SettingsRecord()> snapshot;
  // Runs `change` on the record under the store's lock; false when changes are refused because
  // an apply runs.
  std::function<bool(const std::function<void(SettingsRecord&)>&)> changeSettings;
  // The layout tables of the current language (function names, warning items, main items 20..25).
  std::function<const SkinLayout&()> layout;
  // The macro groups and the names of their macros, with the current group and macro. Called
  // each time a menu opens, so the window should collect the names from the files there.
  std::function<PopupMacroNames()> macroNames;
  // The normal interface font of the current language.
  QFont font;
  // The main window: the levels are its tool windows, so they stay above it. May be null.
  QWidget* owner = nullptr;
};

class PopupController : public QObject {
  Q_OBJECT

 public:
  explicit PopupController(PopupContext context, QObject* parent = nullptr);
  ~PopupController() override;

  // Opens the popup of `request` (its x, y relative to the main window's top-left corner, which
  // lies at `mainWindowTopLeftOnScreen`). `selectedButton` (0..5, main items 20..25) is the
  // button the function menus assign to; other kinds ignore it. Returns false and opens nothing
  // for a group menu without groups or a kind without rows.
  bool open(const PopupRequest& request, QPoint mainWindowTopLeftOnScreen, int selectedButton);
  // Closes every open level.
  void closeAll();
  bool isOpen() const;

  // The warning window, modal, below the selected button's callout (main item 20 + button) of
  // `mainWindow`: 1 when the user goes on (first choice, Enter), 2 otherwise (second choice,
  // Escape, closed). Only the answer 1 opens the function menu.
  int showWarning(QWidget* mainWindow, int selectedButton);
  // The same at a given screen position (its top-left corner).
  int showWarningAt(QWidget* parent, QPoint topLeftOnScreen);
  // The about box, modal.
  static void showAbout(QWidget* parent);

  // The open levels (null when not open), for the window's tests.
  CMenuDlg* menu() const;
  CSubMenuDlg* subMenu() const;
  MacSelMenuDlg* macroMenu() const;
  const PopupChain& chain() const { return m_chain; }

 Q_SIGNALS:
  // A function menu or the lighting-mode menu changed the settings record: repaint.
  void settingsChanged();
  // The group menu chose group `chosenGroup` (0-based). The window makes it current, then does
  // what message 0x7EA asks: write macro `currentMacro` into the file of `previousGroup` (the
  // group current before), load the chosen group, rebuild the lists.
  void macroGroupChosen(int previousGroup, int chosenGroup, int currentMacro);
  // The macro file menu (0x7EB): 1 import, 2 export, 3 restore.
  void macroFileAction(int item);
  // A lighting-event menu chose `value` (0x83ED mode, 0x83EE colour, 0x83EF step count, by
  // `kind`). The macro page stores it with applyLedEventChoice(program, kind, selected LED line,
  // value) into the selected lighting program and refills the lighting lines.
  void ledEventValue(tarvosk::PopupKind kind, int value);
  // Every level has closed (after an action, Escape, a press outside or closeAll()).
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void onMenuHover(int row);
  void onMenuRelease(int row);
  void onSubMenuHover(int row);
  void onSubMenuRelease(int row);
  void onMacroMenuRelease(int row);
  // Makes the second and third levels match m_chain.
  void syncSubMenu();
  void syncMacroMenu();
  void execute(const PopupAction& action);
  bool handleKey(int key);
  bool isPopupWindow(const QObject* object) const;
  SkinnedMenuWindow* keyboardLevel() const;

  PopupContext m_context;
  PopupLevelConfig m_config;  // gathered when the chain opens
  PopupChain m_chain;
  int m_selectedButton = 0;
  int m_currentGroup = 0;
  int m_currentMacro = 0;
  int m_keyboardLevel = 1;  // 1 first level, 2 second, 3 third
  // The warning's lit choice lives on between openings, as the window always had it.
  int m_warningChoice = 0;
  QPointer<CMenuDlg> m_menu;
  QPointer<CSubMenuDlg> m_subMenu;
  QPointer<MacSelMenuDlg> m_macroMenu;
};

}  // namespace tarvosk
