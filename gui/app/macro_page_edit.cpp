// Editing on the macro page: the event list's context menu and its commands, the in-place edits
// of the three lists, and the value menus of the lighting-program list. The core decides
// (macro/macro_editing.h); this file passes the lists' state in and shows the outcome.

#include <QLineEdit>

#include "app/app_context.h"
#include "app/macro_page.h"
#include "app/main_window.h"
#include "macro/macro_editing.h"
#include "macro/macro_lists.h"
#include "macro/macro_manager.h"
#include "widgets/editable_list_box.h"
#include "widgets/orvik_menu.h"

namespace tarvosk {

namespace {

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The line of `list` a click at `point` (viewport coordinates) falls on, as the list's line
// height and first visible line place it.
int lineAt(const CEditableListBox& list, QPoint point) {
  const int height = list.count() > 0 ? list.visualItemRect(list.item(0)).height() : 0;
  const QModelIndex top = list.indexAt(QPoint(1, 1));
  return lineUnderCursor(height, top.isValid() ? top.row() : 0, point.y(), 0);
}

}  // namespace

void MacroPage::eventListRightClick(QPoint pointInList, bool showMenu) {
  if (!m_eventList || recording()) return;
  const int lines = m_eventList->count();
  const int line = lineAt(*m_eventList, pointInList);
  if (!rightClickHitsList(m_eventList->viewport()->rect().contains(pointInList), line, lines)) return;
  // The menu acts on the line that was clicked, so it becomes the selection first.
  if (line < lines) m_eventList->setCurrentRow(line);
  m_eventListHadLines = lines > 0;
  m_ctx.eventLineUnderCursor = std::max(0, m_eventList->currentRow());
  if (showMenu && m_editMenu) m_editMenu->exec(m_eventList->viewport()->mapToGlobal(pointInList));
}

void MacroPage::runCommand(int commandId) {
  if (!m_eventList || recording() || m_ctx.macros.count <= 0) return;
  MacroRecord& m = m_ctx.macros.slots[static_cast<std::size_t>(std::clamp(m_ctx.currentMacro, 0, kMacrosPerGroup - 1))];
  EditCursor cursor;
  cursor.lineUnderCursor = cursor.selectedLine = std::max(0, m_eventList->currentRow());
  const EditOutcome outcome = runMacroCommand(m, commandId, cursor, recording());
  for (std::string_view text : outcome.messages) message(text);
  m_ctx.eventLineUnderCursor = cursor.lineUnderCursor;
  if (outcome.changed) {
    m_selectedLine = std::max(0, cursor.selectedLine);
    rebuildEventList();
    writeCurrentMacro();
  }
  if (outcome.startLineEdit && *outcome.startLineEdit < m_eventList->count()) {
    m_eventList->setCurrentRow(*outcome.startLineEdit);
    m_eventList->requestInPlaceEdit();
  }
}

void MacroPage::listEditEnded(CEditableListBox* list) {
  if (!shown() || recording()) return;
  if (list == m_macroList) {
    const int row = m_macroList->currentRow();
    if (row < 0 || row >= m_ctx.macros.count) return;
    show(macroRenamedInList(workspace(), row, m_macroList->item(row)->text().toStdString()));
    // The line shows the name the macro has now, whatever was typed.
    ++m_filling;
    m_macroList->item(row)->setText(fromUtf8(macroNameText(m_ctx.macros.slots[static_cast<std::size_t>(row)])));
    m_macroList->setCurrentRow(row);
    --m_filling;
    return;
  }
  MacroRecord& m = m_ctx.macros.slots[static_cast<std::size_t>(std::clamp(m_ctx.currentMacro, 0, kMacrosPerGroup - 1))];
  const int line = std::max(0, m_eventList->currentRow());
  m_selectedLine = line;
  m_ctx.eventLineUnderCursor = line;
  EditOutcome outcome;
  if (list == m_ledList) {
    const int ledLine = m_ledList->currentRow();
    if (ledLine < 0) return;
    outcome = applyLedLineEdit(m, line / 2, ledLine, m_ledList->item(ledLine)->text().toStdString());
    for (std::string_view text : outcome.messages) message(text);
    if (const auto program = ledProgramForLine(m, line)) m_selectedLedProgram = *program;
    fillLedList(m_selectedLedProgram);
    if (ledLine < m_ledList->count()) {
      ++m_filling;
      m_ledList->setCurrentRow(ledLine);
      --m_filling;
    }
    m_selectedLedLine = ledLine;
  } else if (list == m_eventList) {
    if (line >= m_eventList->count()) return;
    outcome = applyEventLineEdit(m, line, m_eventList->item(line)->text().toStdString());
    for (std::string_view text : outcome.messages) message(text);
    // A line whose text stored nothing shows its value again.
    rebuildEventList();
  }
  if (outcome.changed) writeCurrentMacro();
}

void MacroPage::ledListRightClick(QPoint pointInList) {
  if (!m_ledList || !m_eventList || recording()) return;
  const MacroRecord& m = m_ctx.macros.slots[static_cast<std::size_t>(std::clamp(m_ctx.currentMacro, 0, kBlankSlot))];
  if (!ledProgramForLine(m, m_eventList->currentRow()) || m_ledList->count() == 0) return;
  const int lines = m_ledList->count();
  const int line = lineAt(*m_ledList, pointInList);
  if (!m_ledList->viewport()->rect().contains(pointInList) || line >= lines) return;
  ++m_filling;
  m_ledList->setCurrentRow(line);
  --m_filling;
  m_selectedLedLine = line;
  const LedPopup popup = ledPopupForLine(line);
  if (popup == LedPopup::None || !m_window.popupPresenter()) return;
  // The menu opens at the list's left edge, at the height of the click.
  const QPoint inWindow = m_ledList->viewport()->mapTo(&m_window, pointInList);
  const QPoint listLeft = m_ledList->mapTo(&m_window, QPoint(0, 0));
  PopupRequest request;
  request.kind = static_cast<PopupKind>(static_cast<int>(popup));
  request.x = listLeft.x();
  request.y = inWindow.y();
  request.width = m_ledList->width();
  m_window.popupPresenter()->open(request, m_window.mapToGlobal(QPoint(0, 0)), m_window.selectedButton());
}

}  // namespace tarvosk
