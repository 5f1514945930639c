#pragma once
// CEditHelper: the temporary edit box of an in-place edit in a CEditableListBox. Enter ends the
// edit keeping the text, Escape discards it, losing the focus keeps it.

#include <QLineEdit>

namespace tarvosk {

class CEditHelper : public QLineEdit {
  Q_OBJECT

 public:
  explicit CEditHelper(QWidget* parent = nullptr);

 Q_SIGNALS:
  // The edit should end; `keep` is true to keep the typed text (the list box's 0x8841).
  void finished(bool keep);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace tarvosk
