// The macro page's controls: creating, placing and filling them, and what a selection in a
// list shows. Editing lives in macro_page_edit.cpp, the group and macro operations in
// macro_page_manage.cpp, the keyboard capture of a recording in macro_recorder.cpp.

#include "app/macro_page.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include "app/app_context.h"
#include "app/macro_capture.h"
#include "app/main_window.h"
#include "macro/event_text.h"
#include "macro/macro_editing.h"
#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "macro/macro_lists.h"
#include "widgets/editable_list_box.h"
#include "widgets/orvik_menu.h"
#include "window/menu_resources.h"
#include "window/popup_menu.h"

namespace tarvosk {

namespace {

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QRect rectOf(const LayoutRect& r) { return QRect(r.left, r.top, std::max(0, r.width()), std::max(0, r.height())); }

// The skin leaves black wells under the controls: white on black, no frame of their own.
const QString kEditStyle = QStringLiteral(
    "QLineEdit { color: white; background: black; border: none; selection-background-color: rgb(0, 120, 153); }"
    "QLineEdit:disabled { color: rgb(150, 150, 150); }");
const QString kListStyle = QStringLiteral(
    "QListWidget { color: white; background: black; border: none; outline: none; }"
    "QListWidget::item:selected { color: white; background: rgb(0, 120, 153); }"
    "QLineEdit { color: white; background: black; border: 1px solid rgb(0, 180, 210); }");

}  // namespace

MacroPage::MacroPage(COrvik_VOrozoDlg& window, AppContext& context)
    : QObject(&window), m_window(window), m_ctx(context), m_capture(new MacroCapture(window, context)) {
  connect(m_capture, &MacroCapture::eventRecorded, this, [this](int, const std::vector<std::string>& lines) {
    if (!m_eventList) return;
    // While recording the list follows its last line.
    ++m_filling;
    for (const std::string& line : lines) m_eventList->addItem(fromUtf8(line));
    m_eventList->setCurrentRow(m_eventList->count() - 1);
    --m_filling;
  });
  connect(m_capture, &MacroCapture::endRequested, this, [this] {
    if (recording()) toggleRecording();
  });
  connect(m_capture, &MacroCapture::message, this, [this](const std::string& text) { message(text); });
  loadEditMenu();
  // The ballistic step writes from the listener thread; the store is the GUI thread's.
  m_ctx.macroSource.setRewriteListener([this](int group, int index) {
    QMetaObject::invokeMethod(
        this, [this, group, index] { macroRewritten(group, index); }, Qt::QueuedConnection);
  });
}

MacroPage::~MacroPage() { m_ctx.macroSource.setRewriteListener({}); }

void MacroPage::macroRewritten(int group, int index) {
  MacroLibrary& lib = m_ctx.library;
  if (group != lib.currentGroup || group < 0 || group >= lib.groupCount || index < 0 || index >= m_ctx.macros.count) {
    return;  // the store does not hold that macro: the file is all there is
  }
  // A take in progress on that macro is newer than the step and wins.
  if (recording() && index == m_ctx.currentMacro) return;
  const auto file = groupFile(m_ctx.macroFolder(), lib.groupNames[static_cast<std::size_t>(group)]);
  m_ctx.macros.slots[static_cast<std::size_t>(index)] = readMacroFromFile(file, index, language());
  if (shown() && index == m_ctx.currentMacro) {
    endListEdits();
    rebuildEventList();
  }
}

int32_t MacroPage::language() const { return m_window.snapshot().language; }

void MacroPage::message(std::string_view text) { m_window.prompter().showMessage(text); }

void MacroPage::loadEditMenu() {
  const int resource = editMenuResource(language());
  if (m_editMenu && resource == m_editMenuResource) return;
  m_editMenu = std::make_unique<COrvikMenu>(&m_window);
  m_editMenu->loadResource(resource);
  m_editMenuResource = resource;
  connect(m_editMenu.get(), &COrvikMenu::commandChosen, this, &MacroPage::runCommand);
}

void MacroPage::create() {
  if (shown()) return;
  auto makeEdit = [this](const QString& name) {
    auto* edit = new QLineEdit(&m_window);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFrame(false);
    edit->setFont(m_window.interfaceFonts().normal());
    edit->setStyleSheet(kEditStyle);
    return edit;
  };
  auto makeList = [this](const QString& name) {
    auto* list = new CEditableListBox(&m_window);
    list->setObjectName(name);
    list->setFont(m_window.interfaceFonts().normal());
    list->setStyleSheet(kListStyle);
    list->setFrameShape(QFrame::NoFrame);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(list, &CEditableListBox::editEnded, this, &MacroPage::listEditEnded);
    return list;
  };
  m_groupName = makeEdit(QStringLiteral("groupName%1").arg(kGroupNameEditId));
  m_groupName->setMaxLength(kGroupNameMaxChars);
  m_macroName = makeEdit(QStringLiteral("macroName%1").arg(kMacroNameEditId));
  m_macroName->setMaxLength(kMacroNameMaxChars);
  m_repeatCount = makeEdit(QStringLiteral("repeatCount%1").arg(kRepeatCountEditId));
  m_macroList = makeList(QStringLiteral("macroList%1").arg(kMacroListId));
  m_eventList = makeList(QStringLiteral("eventList%1").arg(kEventListId));
  m_ledList = makeList(QStringLiteral("ledLineList%1").arg(kLedLineListId));
  // The right clicks that open the menus arrive through the lists' viewports.
  m_eventList->viewport()->installEventFilter(this);
  m_ledList->viewport()->installEventFilter(this);
  placeControls();

  connect(m_groupName, &QLineEdit::textChanged, this, &MacroPage::groupNameChanged);
  connect(m_macroName, &QLineEdit::textChanged, this, &MacroPage::macroNameChanged);
  connect(m_repeatCount, &QLineEdit::textChanged, this, &MacroPage::repeatCountChanged);
  connect(m_macroList, &QListWidget::currentRowChanged, this, &MacroPage::macroSelectionChanged);
  connect(m_eventList, &QListWidget::currentRowChanged, this, &MacroPage::eventLineSelected);
  connect(m_ledList, &QListWidget::currentRowChanged, this, &MacroPage::ledLineSelected);
  connect(m_ledList, &QListWidget::itemDoubleClicked, this, &MacroPage::ledLineDoubleClicked);

  for (QWidget* w :
       std::initializer_list<QWidget*>{m_groupName, m_macroName, m_repeatCount, m_macroList, m_eventList, m_ledList}) {
    w->setEnabled(!m_locked);
    w->show();
  }
  rebuildAllLists();
  refreshNameFields();
}

void MacroPage::setLocked(bool locked) {
  m_locked = locked;
  if (locked) endListEdits();
  for (QWidget* w : std::initializer_list<QWidget*>{m_groupName.data(), m_macroName.data(), m_repeatCount.data(),
                                                    m_macroList.data(), m_eventList.data(), m_ledList.data()}) {
    if (w) w->setEnabled(!locked);
  }
}

void MacroPage::placeControls() {
  const SkinLayout& layout = m_ctx.layout;
  if (m_groupName) m_groupName->setGeometry(rectOf(layout.macroEdit[0]));
  if (m_macroName) m_macroName->setGeometry(rectOf(layout.macroEdit[1]));
  if (m_repeatCount) m_repeatCount->setGeometry(rectOf(layout.macroEdit[2]));
  if (m_macroList) m_macroList->setGeometry(rectOf(layout.macroDisplay[1]));
  if (m_eventList) m_eventList->setGeometry(rectOf(layout.macroDisplay[2]));
  if (m_ledList) m_ledList->setGeometry(rectOf(layout.macroDisplay[3]));
}

void MacroPage::destroy() {
  if (!shown()) return;
  endListEdits();
  for (QPointer<QLineEdit>* edit : {&m_groupName, &m_macroName, &m_repeatCount}) {
    if (*edit) {
      (*edit)->disconnect(this);
      delete edit->data();
    }
    *edit = nullptr;
  }
  for (QPointer<CEditableListBox>* list : {&m_macroList, &m_eventList, &m_ledList}) {
    if (*list) {
      (*list)->disconnect(this);
      delete list->data();
    }
    *list = nullptr;
  }
}

void MacroPage::refill() {
  loadEditMenu();
  if (!shown()) return;
  endListEdits();
  for (QWidget* w :
       std::initializer_list<QWidget*>{m_groupName, m_macroName, m_repeatCount, m_macroList, m_eventList, m_ledList}) {
    w->setFont(m_window.interfaceFonts().normal());
  }
  placeControls();
  rebuildAllLists();
  refreshNameFields();
  m_window.update();
}

void MacroPage::endListEdits() {
  for (CEditableListBox* list : {m_macroList.data(), m_eventList.data(), m_ledList.data()}) {
    if (list) list->endEdit(true);
  }
}

void MacroPage::rebuildAllLists() {
  if (!shown()) return;
  ++m_filling;
  m_ledList->clear();
  m_eventList->clear();
  m_macroList->clear();
  --m_filling;
  if (m_ctx.library.groupCount <= 0) {
    m_ctx.macros.count = 0;
    ++m_filling;
    m_groupName->clear();
    m_macroName->clear();
    --m_filling;
    return;
  }
  const int count = std::clamp<int>(m_ctx.macros.count, 0, kMacrosPerGroup);
  ++m_filling;
  for (int i = 0; i < count; ++i) m_macroList->addItem(fromUtf8(macroNameText(m_ctx.macros.slots[std::size_t(i)])));
  --m_filling;
  if (count > 0) {
    m_ctx.currentMacro = std::clamp(m_ctx.currentMacro, 0, count - 1);
    ++m_filling;
    m_macroList->setCurrentRow(m_ctx.currentMacro);
    --m_filling;
    selectMacro();
  }
}

void MacroPage::selectMacro() {
  if (!shown()) return;
  ++m_filling;
  m_ledList->clear();
  --m_filling;
  const int row = m_macroList->currentRow();
  m_ctx.currentMacro = row < 0 ? 0 : row;
  m_ctx.macroSource.setEditedMacro(&m_ctx.macros, m_ctx.library.currentGroup, m_ctx.currentMacro);
  ++m_filling;
  m_macroName->setText(row < 0 ? QString() : m_macroList->item(row)->text());
  --m_filling;
  rebuildEventList();
}

void MacroPage::rebuildEventList() {
  if (!shown()) return;
  const MacroRecord& m = m_ctx.macros.slots[static_cast<std::size_t>(std::clamp(m_ctx.currentMacro, 0, kBlankSlot))];
  ++m_filling;
  m_eventList->setUpdatesEnabled(false);
  m_eventList->clear();
  if (m.eventCount > 0) {
    for (const std::string& line : eventListLines(m, language())) m_eventList->addItem(fromUtf8(line));
    showRepeatField();
  }
  m_eventList->setUpdatesEnabled(true);
  const int lines = m_eventList->count();
  if (lines > 0) {
    const int row = recording() ? lines - 1 : m_selectedLine;
    if (row >= 0 && row < lines) m_eventList->setCurrentRow(row);
  }
  --m_filling;
  m_window.update();
}

void MacroPage::showRepeatField() {
  if (!m_repeatCount) return;
  const MacroRecord& m = m_ctx.macros.slots[static_cast<std::size_t>(std::clamp(m_ctx.currentMacro, 0, kBlankSlot))];
  const RepeatField field = repeatFieldFor(m);
  ++m_filling;
  m_repeatCount->setEnabled(field.enabled);
  m_repeatCount->setText(fromUtf8(field.text));
  --m_filling;
}

void MacroPage::refreshNameFields() {
  if (!shown()) return;
  ++m_filling;
  if (m_ctx.library.groupCount > 0) {
    const int g = std::clamp(m_ctx.library.currentGroup, 0, kMaxGroups - 1);
    m_groupName->setText(fromUtf8(m_ctx.library.groupNames[static_cast<std::size_t>(g)]));
    const bool hasMacro = m_ctx.macros.count > 0 && m_ctx.currentMacro >= 0 && m_ctx.currentMacro < m_ctx.macros.count;
    m_macroName->setText(hasMacro ? fromUtf8(macroNameText(m_ctx.macros.slots[std::size_t(m_ctx.currentMacro)]))
                                  : QString());
  } else {
    m_groupName->clear();
    m_macroName->clear();
  }
  --m_filling;
  m_window.update();
}

void MacroPage::fillLedList(int program) {
  if (!shown()) return;
  ++m_filling;
  m_ledList->clear();
  if (program >= 0 && program < kLedProgramCount) {
    const MacroRecord& m = m_ctx.macros.slots[static_cast<std::size_t>(std::clamp(m_ctx.currentMacro, 0, kBlankSlot))];
    for (const std::string& line : ledProgramLines(m.ledPrograms[static_cast<std::size_t>(program)], language())) {
      m_ledList->addItem(fromUtf8(line));
    }
  }
  --m_filling;
}

void MacroPage::eventLineSelected(int row) {
  if (row < 0) return;
  if (m_filling == 0) m_selectedLine = row;
  if (m_window.popupPresenter() && m_window.popupPresenter()->isOpen()) m_window.popupPresenter()->closeAll();
  if (recording()) return;
  const MacroRecord& m = m_ctx.macros.slots[static_cast<std::size_t>(std::clamp(m_ctx.currentMacro, 0, kBlankSlot))];
  if (const auto program = ledProgramForLine(m, row)) {
    m_selectedLedProgram = *program;
    fillLedList(*program);
  } else {
    ++m_filling;
    m_ledList->clear();
    --m_filling;
  }
}

void MacroPage::ledLineSelected(int row) {
  if (m_filling > 0) return;
  m_selectedLedLine = row;
  if (m_window.popupPresenter() && m_window.popupPresenter()->isOpen()) m_window.popupPresenter()->closeAll();
}

void MacroPage::ledLineDoubleClicked() {
  if (!m_ledList || recording()) return;
  if (ledLineIsTime(m_selectedLedLine)) m_ledList->requestInPlaceEdit();
}

void MacroPage::ledEventValue(PopupKind kind, int value) {
  if (m_selectedLedProgram < 0 || m_selectedLedProgram >= kLedProgramCount) return;
  MacroRecord& m = m_ctx.macros.slots[static_cast<std::size_t>(std::clamp(m_ctx.currentMacro, 0, kBlankSlot))];
  if (!applyLedEventChoice(m.ledPrograms[static_cast<std::size_t>(m_selectedLedProgram)], kind, m_selectedLedLine,
                           value)) {
    return;
  }
  const int line = m_selectedLedLine;
  fillLedList(m_selectedLedProgram);
  if (m_ledList && line >= 0 && line < m_ledList->count()) {
    ++m_filling;
    m_ledList->setCurrentRow(line);
    --m_filling;
  }
  writeCurrentMacro();
}

bool MacroPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      if (m_eventList && watched == m_eventList->viewport()) {
        eventListRightClick(mouse->position().toPoint());
        return true;
      }
      if (m_ledList && watched == m_ledList->viewport()) {
        ledListRightClick(mouse->position().toPoint());
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarvosk
