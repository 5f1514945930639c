#pragma once
// The window's Prompter: every message becomes a modal message box on the GUI thread. A worker
// thread that asks (the upload, the poll thread) waits until the user has closed the box, as the
// core expects; once the program is leaving, such messages are written to standard error
// instead, so a worker joined at exit never waits for a box that nobody will show.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>

#include "platform/prompter.h"

namespace tarvosk {

class GuiPrompter : public QObject, public Prompter {
  Q_OBJECT

 public:
  explicit GuiPrompter(QObject* parent = nullptr);

  // Boxes are owned by this window (centred on it); none: by no window.
  void setParentWindow(QWidget* window) { m_parentWindow = window; }
  // From now on messages of worker threads go to standard error; the GUI thread still shows them.
  void setLeaving() { m_leaving = true; }
  // Tests replace the box by a recorder; it is called on the GUI thread.
  void setPresenter(std::function<void(const QString&)> presenter) { m_presenter = std::move(presenter); }

  void showMessage(std::string_view text) override;

 private:
  void present(const QString& text);

  QPointer<QWidget> m_parentWindow;
  std::atomic<bool> m_leaving{false};
  std::function<void(const QString&)> m_presenter;
};

}  // namespace tarvosk
