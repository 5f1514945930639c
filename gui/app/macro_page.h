#pragma once
// The macro page's child controls and what they do: the group name field, the macro list, the
// event list, the lighting-program list, the macro name field and the repeat count field, laid
// over the skin's wells while the page shows. The rules live in the macro core; this class
// gathers what the user did, asks the core, and shows the result in its controls.
//
//   controls --(selection, edits, context menu, keys)--> core macro ops --> MacroStore, files
//   MacroStore --eventListLines/ledProgramLines--> lists

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "widgets/edit_helper.h"
#include "widgets/editable_list_box.h"
#include "window/pointer_handling.h"
#include "window/popup_request.h"

class QKeyEvent;
class QListWidget;

namespace tarvosk {

struct AppContext;
class COrvik_VOrozoDlg;
class COrvikMenu;
class MacroCapture;
struct MacroWorkspace;
struct ManagerResult;
enum class FileDialogKind;

// Identifiers of the page's child controls.
inline constexpr int kMacroNameEditId = 10000;
inline constexpr int kMacroListId = 10001;
inline constexpr int kEventListId = 10002;
inline constexpr int kRepeatCountEditId = 10004;
inline constexpr int kGroupNameEditId = 10006;
inline constexpr int kLedLineListId = 10007;

class MacroPage : public QObject {
  Q_OBJECT

 public:
  MacroPage(COrvik_VOrozoDlg& window, AppContext& context);
  ~MacroPage() override;

  // Creates the six controls at the layout's rectangles and fills them from the current group.
  void create();
  // Destroys them (leaving the page). A recording keeps running: only the record switch stops it.
  void destroy();
  bool shown() const { return m_macroList != nullptr; }
  // After a language switch: the controls move to the new layout and show the new library.
  void refill();

  // Ends an in-place edit of any of the three lists, keeping its text.
  void endListEdits();
  // While an apply runs the upload reads and writes the group files: the controls take no input
  // then, so no edit of the page can race it.
  void setLocked(bool locked);
  // A press on one of the page's buttons asked for an operation.
  void runAction(MacroPageAction action, int playMode);
  // The group menu chose `chosenGroup` (0x7EA): macro `currentMacro` goes back into the file of
  // `previousGroup`, the group that was current, and the chosen group is loaded.
  void groupChosen(int previousGroup, int chosenGroup, int currentMacro);
  // The file menu chose 1 import, 2 export, 3 restore (0x7EB).
  void fileAction(int item);
  // A lighting-event menu chose a value for the selected lighting program.
  void ledEventValue(PopupKind kind, int value);
  // A command of the event list's context menu.
  void runCommand(int commandId);
  // Macro `index` of group `group` was rewritten in its file by the ballistic step: the store
  // takes the file's version, so the next write-back keeps the step.
  void macroRewritten(int group, int index);

  // Recording: key events of the main window while it holds the keyboard.
  bool recording() const;
  void toggleRecording();
  MacroCapture& capture() { return *m_capture; }

  // Tests answer the import and export dialogs; an empty answer cancels.
  void setFileChooser(std::function<QString(FileDialogKind)> chooser) { m_fileChooser = std::move(chooser); }

  // The controls while the page shows (null otherwise).
  QLineEdit* groupNameEdit() const { return m_groupName.data(); }
  CEditableListBox* macroList() const { return m_macroList.data(); }
  CEditableListBox* eventList() const { return m_eventList.data(); }
  CEditableListBox* ledLineList() const { return m_ledList.data(); }
  QLineEdit* macroNameEdit() const { return m_macroName.data(); }
  QLineEdit* repeatCountEdit() const { return m_repeatCount.data(); }
  COrvikMenu* editMenu() const { return m_editMenu.get(); }

  // Display state.
  int selectedLine() const { return m_selectedLine; }
  int selectedLedProgram() const { return m_selectedLedProgram; }
  int selectedLedLine() const { return m_selectedLedLine; }
  // The event-list line a right click at `pointInList` (list viewport coordinates) falls on
  // sets the line under the cursor; the context menu then opens there (tests pass `showMenu` false
  // and run the command themselves).
  void eventListRightClick(QPoint pointInList, bool showMenu = true);
  void ledListRightClick(QPoint pointInList);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Filling (macro_page.cpp).
  void rebuildAllLists();
  void rebuildEventList();
  void selectMacro();
  void refreshNameFields();
  void fillLedList(int program);
  void showRepeatField();
  void eventLineSelected(int row);
  void ledLineSelected(int row);
  void ledLineDoubleClicked();
  void placeControls();
  void loadEditMenu();

  // Editing (macro_page_edit.cpp).
  void listEditEnded(CEditableListBox* list);
  void storeEditedEventLine(const QString& text);
  void showContextMenu(QPoint globalPos);

  // Management (macro_page_manage.cpp).
  void macroSelectionChanged(int row);
  void macroNameChanged(const QString& text);
  void repeatCountChanged(const QString& text);
  void groupNameChanged(const QString& text);
  void importGroup();
  void exportGroup();
  void restoreGroups();
  void libraryChanged();
  void writeCurrentMacro();
  MacroWorkspace workspace();
  // Shows what a library operation asks for: its message, field text and lists.
  void show(const ManagerResult& result);
  QString chooseFile(FileDialogKind kind);

  void message(std::string_view text);
  int32_t language() const;

  COrvik_VOrozoDlg& m_window;
  AppContext& m_ctx;
  MacroCapture* m_capture = nullptr;
  std::unique_ptr<COrvikMenu> m_editMenu;
  int m_editMenuResource = 0;

  QPointer<QLineEdit> m_groupName;
  QPointer<CEditableListBox> m_macroList;
  QPointer<CEditableListBox> m_eventList;
  QPointer<CEditableListBox> m_ledList;
  QPointer<QLineEdit> m_macroName;
  QPointer<QLineEdit> m_repeatCount;

  int m_selectedLine = 0;
  int m_selectedLedProgram = 0;
  int m_selectedLedLine = 0;
  bool m_locked = false;
  bool m_eventListHadLines = false;  // at the last right click
  int m_filling = 0;                 // >0 while the page itself sets texts and selections
  std::function<QString(FileDialogKind)> m_fileChooser;
};

}  // namespace tarvosk
