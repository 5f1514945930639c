#include "app/gui_prompter.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>
#include <cstdio>

#include "widgets/about_version.h"

namespace tarvosk {

GuiPrompter::GuiPrompter(QObject* parent) : QObject(parent) {}

void GuiPrompter::showMessage(std::string_view text) {
  const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (QThread::currentThread() == thread()) {
    present(message);
    return;
  }
  if (m_leaving) {
    std::fprintf(stderr, "tarvosk: %s\n", message.toLocal8Bit().constData());
    return;
  }
  // The asking thread waits for the box, as it would for a modal message box of its own.
  QMetaObject::invokeMethod(this, [this, message] { present(message); }, Qt::BlockingQueuedConnection);
}

void GuiPrompter::present(const QString& text) {
  if (m_presenter) {
    m_presenter(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, programName(), text, QMessageBox::Ok, m_parentWindow.data());
  box.exec();
}

}  // namespace tarvosk
