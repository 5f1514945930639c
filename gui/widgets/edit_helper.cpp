#include "edit_helper.h"

#include <QKeyEvent>

namespace tarvosk {

CEditHelper::CEditHelper(QWidget* parent) : QLineEdit(parent) { setObjectName(QStringLiteral("CEditHelper")); }

void CEditHelper::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      // The edit ends when the key comes up; the press must not reach the dialog, where Enter
      // and Escape would end the whole window.
      event->accept();
      return;
    default: QLineEdit::keyPressEvent(event);
  }
}

void CEditHelper::keyReleaseEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Q_EMIT finished(true); break;
    case Qt::Key_Escape: Q_EMIT finished(false); break;
    default: break;
  }
  QLineEdit::keyReleaseEvent(event);
}

void CEditHelper::focusOutEvent(QFocusEvent* event) {
  Q_EMIT finished(true);
  QLineEdit::focusOutEvent(event);
}

}  // namespace tarvosk
