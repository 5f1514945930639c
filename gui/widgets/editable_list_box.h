#pragma once
// CEditableListBox: a list whose selected line can be edited in place. An edit starts when the
// list receives the character code 1 (Ctrl+A, or requestInPlaceEdit() from the program) with a
// line selected; the line is then covered by a CEditHelper holding its text, all selected.
// Enter or losing the focus keeps the new text, Escape discards it; scrolling or resizing the
// list keeps it too. The Insert key and a right click on the selected line start an edit only
// while a character 1 is still pending, which in practice it never is.
//
// The list is white on black, as the skin around it expects.

#include <QListWidget>
#include <QPointer>

namespace tarvosk {

class CEditHelper;

class CEditableListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit CEditableListBox(QWidget* parent = nullptr);
  ~CEditableListBox() override;

  // Lists with the notify style report changed lines (lineChanged); the others only editEnded.
  void setNotify(bool notify) { m_notify = notify; }
  bool notify() const { return m_notify; }

  // The program's way to start an edit of the selected line: the character code 1.
  void requestInPlaceEdit();
  // Ends an edit in progress, keeping the typed text when `keep` is true (the list's 0x8841).
  void endEdit(bool keep);

  CEditHelper* editor() const { return m_edit.data(); }
  int editIndex() const { return m_editIndex; }

  // The next character the list receives only clears this flag (set by the new-macro action,
  // whose name edit would otherwise take the key that started it). Shared by every list.
  static void setSwallowNextCharacter(bool swallow);
  static bool swallowNextCharacter();

 Q_SIGNALS:
  // A line's text was changed by an edit: its new index and the text before (0x8840).
  void lineChanged(int newIndex, const QString& oldText);
  // An edit ended, whatever its outcome (0x40A).
  void editEnded(tarvosk::CEditableListBox* list);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Receives a character: swallowed, or remembered and an edit requested.
  bool takeCharacter(char16_t code);
  void startEditOnRequest();

  QPointer<CEditHelper> m_edit;
  int m_editIndex = -1;
  char16_t m_pendingCharacter = 0;
  bool m_notify = true;
};

}  // namespace tarvosk
