#include "editable_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "edit_helper.h"

namespace tarvosk {

namespace {

bool g_swallowNextCharacter = false;

constexpr char16_t kEditCharacter = 1;  // Ctrl+A

}  // namespace

CEditableListBox::CEditableListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setStyleSheet(
      QStringLiteral("QListWidget { background: black; color: white; }"
                     "QLineEdit { background: black; color: white; border: 1px solid rgb(0, 180, 210); }"));
}

CEditableListBox::~CEditableListBox() {
  if (m_edit) {
    m_edit->disconnect(this);
    delete m_edit.data();
  }
}

void CEditableListBox::setSwallowNextCharacter(bool swallow) { g_swallowNextCharacter = swallow; }
bool CEditableListBox::swallowNextCharacter() { return g_swallowNextCharacter; }

void CEditableListBox::requestInPlaceEdit() { takeCharacter(kEditCharacter); }

bool CEditableListBox::takeCharacter(char16_t code) {
  if (g_swallowNextCharacter) {
    g_swallowNextCharacter = false;
    return false;
  }
  m_pendingCharacter = code;
  startEditOnRequest();
  return true;
}

void CEditableListBox::keyPressEvent(QKeyEvent* event) {
  const bool ctrlA = event->key() == Qt::Key_A && (event->modifiers() & Qt::ControlModifier);
  const QString text = event->text();
  if (ctrlA || !text.isEmpty()) {
    const char16_t code = ctrlA ? kEditCharacter : text.at(0).unicode();
    if (!takeCharacter(code)) return;  // swallowed: nothing else happens
    if (ctrlA) return;                 // the edit took it; it selects nothing in a single-selection list
  }
  QListWidget::keyPressEvent(event);
}

void CEditableListBox::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Insert) startEditOnRequest();
  QListWidget::keyReleaseEvent(event);
}

void CEditableListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton && currentRow() >= 0) {
    const QRect line = visualItemRect(item(currentRow()));
    if (line.contains(event->position().toPoint())) startEditOnRequest();
  }
  QListWidget::mouseReleaseEvent(event);
}

void CEditableListBox::scrollContentsBy(int dx, int dy) {
  endEdit(true);
  QListWidget::scrollContentsBy(dx, dy);
}

void CEditableListBox::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  endEdit(true);
}

void CEditableListBox::startEditOnRequest() {
  if (m_pendingCharacter != kEditCharacter) return;
  m_pendingCharacter = 0;
  const int row = currentRow();
  // Without a selected line there is nothing to edit.
  if (row < 0 || row >= count() || m_edit) return;
  QListWidgetItem* line = item(row);
  const QRect rect = visualItemRect(line).adjusted(0, -2, 0, 2);
  auto* edit = new CEditHelper(viewport());
  edit->setFont(font());
  edit->setFrame(true);
  edit->setGeometry(rect);
  edit->setText(line->text());
  edit->selectAll();
  connect(edit, &CEditHelper::finished, this, &CEditableListBox::endEdit);
  m_edit = edit;
  m_editIndex = row;
  edit->show();
  edit->setFocus(Qt::OtherFocusReason);
}

void CEditableListBox::endEdit(bool keep) {
  if (!m_edit) return;
  CEditHelper* edit = m_edit;
  // Cleared first: hiding the editor moves the focus, which asks to end the edit again.
  m_edit = nullptr;
  const int index = m_editIndex;
  m_editIndex = -1;
  const QString newText = edit->text();
  const bool editHadFocus = edit->hasFocus();
  edit->disconnect(this);
  edit->hide();
  edit->deleteLater();
  if (keep && index >= 0 && index < count() && item(index)->text() != newText) {
    const QString oldText = item(index)->text();
    delete takeItem(index);
    int newIndex = index;
    if (isSortingEnabled()) {
      addItem(newText);
      sortItems(Qt::AscendingOrder);
      const auto found = findItems(newText, Qt::MatchExactly | Qt::MatchCaseSensitive);
      newIndex = found.isEmpty() ? index : row(found.front());
    } else {
      insertItem(index, newText);
    }
    setCurrentRow(newIndex);
    if (m_notify) Q_EMIT lineChanged(newIndex, oldText);
  }
  // Enter and Escape give the focus back to the list; a click elsewhere keeps it where it went.
  if (editHadFocus) setFocus(Qt::OtherFocusReason);
  Q_EMIT editEnded(this);
}

}  // namespace tarvosk
