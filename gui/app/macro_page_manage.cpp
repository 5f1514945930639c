// The macro page's group and macro operations: the name and repeat fields, the macro list's
// selection, new and delete, play modes, import, export, restore and the recording switch.
// Each asks the macro core (macro/macro_manager.h), which changes the library and writes the
// files, and shows what it answers.

#include <QFileDialog>
#include <QLineEdit>

#include "app/app_context.h"
#include "app/macro_capture.h"
#include "app/macro_page.h"
#include "app/main_window.h"
#include "macro/macro_manager.h"
#include "widgets/editable_list_box.h"

namespace tarvosk {

namespace {

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

QString MacroPage::chooseFile(FileDialogKind kind) {
  if (m_fileChooser) return m_fileChooser(kind);
  const QString folder = QString::fromStdString(m_ctx.macroFolder().string());
  QFileDialog dialog(&m_window, QString(), folder, QStringLiteral("All Files(*.dat) (*.dat)"));
  if (kind == FileDialogKind::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

MacroWorkspace MacroPage::workspace() {
  return MacroWorkspace{m_ctx.macroFolder(), m_ctx.macroResetFolder(), language(), m_ctx.library,
                        m_ctx.macros,        m_ctx.currentMacro};
}

void MacroPage::writeCurrentMacro() {
  // A take reaches the file when it ends.
  if (recording() || m_ctx.library.groupCount <= 0 || m_ctx.macros.count <= 0) return;
  if (!tarvosk::writeCurrentMacro(workspace())) message(kManagerErrorMessage);
}

void MacroPage::show(const ManagerResult& result) {
  if (result.changed) {
    m_ctx.macroSource.setEditedMacro(&m_ctx.macros, m_ctx.library.currentGroup, m_ctx.currentMacro);
  }
  switch (result.refresh) {
    case PageRefresh::None: break;
    case PageRefresh::NameFields: refreshNameFields(); break;
    case PageRefresh::EventList:
      m_selectedLine = 0;
      selectMacro();
      break;
    case PageRefresh::AllLists:
      m_selectedLine = 0;
      rebuildAllLists();
      refreshNameFields();
      break;
  }
  if (result.selectMacroLine && m_macroList && *result.selectMacroLine < m_macroList->count()) {
    ++m_filling;
    m_macroList->setCurrentRow(*result.selectMacroLine);
    --m_filling;
  }
  if (result.writeFailed) message(kManagerErrorMessage);
  if (result.message) message(*result.message);
}

void MacroPage::runAction(MacroPageAction action, int playMode) {
  switch (action) {
    case MacroPageAction::None: return;
    case MacroPageAction::NewGroup:
      show(tarvosk::newGroup(workspace()));
      libraryChanged();
      return;
    case MacroPageAction::DeleteGroup:
      show(tarvosk::deleteGroup(workspace()));
      libraryChanged();
      return;
    case MacroPageAction::ToggleRecording: toggleRecording(); return;
    case MacroPageAction::NewMacro: {
      const int before = m_ctx.macros.count;
      show(tarvosk::newMacro(workspace()));
      // The new line opens for its name at once; Enter keeps what was typed, Escape leaves "New".
      if (m_macroList && m_ctx.macros.count > before) m_macroList->requestInPlaceEdit();
      return;
    }
    case MacroPageAction::DeleteMacro:
      show(tarvosk::deleteMacro(workspace(), m_macroList ? std::max(0, m_macroList->currentRow()) : m_ctx.currentMacro,
                                recording()));
      return;
    case MacroPageAction::SetPlayMode:
      show(tarvosk::setPlayMode(workspace(), playMode));
      showRepeatField();
      m_window.update();
      return;
  }
}

void MacroPage::libraryChanged() {
  // The upload reads the library the page now shows.
  m_ctx.macroSource.reset(m_ctx.macroFolder(), language(), m_ctx.builtIns);
  if (m_ctx.library.groupCount > 0) {
    m_ctx.macroSource.setEditedMacro(&m_ctx.macros, m_ctx.library.currentGroup, m_ctx.currentMacro);
  }
}

void MacroPage::macroSelectionChanged(int row) {
  if (m_filling > 0 || !m_macroList) return;
  const ManagerResult result = tarvosk::selectMacro(workspace(), row, recording());
  if (recording()) {
    ++m_filling;
    m_macroList->setCurrentRow(m_ctx.currentMacro);
    --m_filling;
    if (result.message) message(*result.message);
    return;
  }
  m_selectedLine = 0;
  show(result);
  if (result.refresh == PageRefresh::None) selectMacro();
}

void MacroPage::macroNameChanged(const QString& text) {
  if (m_filling > 0) return;
  const ManagerResult result = macroNameEdited(workspace(), text.toStdString());
  if (result.fieldText) {
    ++m_filling;
    m_macroName->setText(fromUtf8(*result.fieldText));
    --m_filling;
    m_window.update();
  }
  if (result.changed && m_macroList && m_ctx.currentMacro < m_macroList->count()) {
    ++m_filling;
    m_macroList->item(m_ctx.currentMacro)
        ->setText(fromUtf8(macroNameText(m_ctx.macros.slots[static_cast<std::size_t>(m_ctx.currentMacro)])));
    m_macroList->setCurrentRow(m_ctx.currentMacro);
    --m_filling;
  }
  if (result.writeFailed) message(kManagerErrorMessage);
  if (result.message) message(*result.message);
}

void MacroPage::repeatCountChanged(const QString& text) {
  if (m_filling > 0 || m_ctx.macros.count <= 0) return;
  const ManagerResult result = repeatCountEdited(workspace(), text.toStdString());
  if (result.fieldText) {
    ++m_filling;
    m_repeatCount->setText(fromUtf8(*result.fieldText));
    --m_filling;
  }
  if (result.writeFailed) message(kManagerErrorMessage);
  if (result.message) message(*result.message);
}

void MacroPage::groupNameChanged(const QString& text) {
  if (m_filling > 0) return;
  const ManagerResult result = groupNameEdited(workspace(), text.toStdString());
  if (result.fieldText) {
    ++m_filling;
    m_groupName->setText(fromUtf8(*result.fieldText));
    --m_filling;
  }
  if (result.writeFailed) message(kManagerErrorMessage);
  if (result.message) message(*result.message);
  if (result.changed) libraryChanged();
}

void MacroPage::groupChosen(int previousGroup, int chosenGroup, int currentMacro) {
  if (recording()) return;
  if (previousGroup >= 0 && previousGroup < m_ctx.library.groupCount) m_ctx.library.currentGroup = previousGroup;
  if (currentMacro >= 0 && currentMacro < m_ctx.macros.count) m_ctx.currentMacro = currentMacro;
  show(chooseGroup(workspace(), chosenGroup));
  libraryChanged();
}

void MacroPage::fileAction(int item) {
  if (recording()) return;
  switch (item) {
    case 1: importGroup(); break;
    case 2: exportGroup(); break;
    case 3: restoreGroups(); break;
    default: return;
  }
  libraryChanged();
}

void MacroPage::importGroup() {
  if (m_ctx.library.groupCount >= kMaxGroups) {
    message(kManagerLimitMessage);
    return;
  }
  const QString file = chooseFile(FileDialogKind::Open);
  if (file.isEmpty()) return;
  show(tarvosk::importGroup(workspace(), std::filesystem::path(file.toStdString())));
}

void MacroPage::exportGroup() {
  if (m_ctx.library.groupCount <= 0) {
    message(kManagerErrorMessage);
    return;
  }
  const QString file = chooseFile(FileDialogKind::Save);
  if (file.isEmpty()) return;
  show(tarvosk::exportGroup(workspace(), std::filesystem::path(file.toStdString())));
}

void MacroPage::restoreGroups() { show(tarvosk::restoreGroups(workspace())); }

bool MacroPage::recording() const { return m_capture->recording(); }

void MacroPage::toggleRecording() {
  if (recording()) {
    m_capture->stop();
    m_window.setRecording(false);
    // The take goes to the file at once rather than with the next write of the macro.
    writeCurrentMacro();
    m_selectedLine = 0;
    rebuildEventList();
    return;
  }
  if (m_ctx.macros.count <= 0) return;
  endListEdits();
  const int row = m_macroList ? m_macroList->currentRow() : m_ctx.currentMacro;
  m_capture->setLanguage(language());
  if (!m_capture->start(row < 0 ? 0 : row)) return;
  m_window.setRecording(true);
  if (shown()) {
    ++m_filling;
    m_eventList->clear();
    m_ledList->clear();
    m_repeatCount->setEnabled(true);
    m_repeatCount->setText(QStringLiteral("1"));
    --m_filling;
  }
  m_window.update();
}

}  // namespace tarvosk
