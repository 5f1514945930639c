#pragma once
// A main window on the offscreen platform against the simulated mouse, over a scratch copy of
// the generated skin, with its popups and message boxes recorded instead of shown.

#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/main_window.h"
#include "app/popup_presenter.h"
#include "test_support.h"

namespace tarvosk::test {

// Records what the window asked of its popup layer; the warning answers as told.
class RecordingPopups : public PopupPresenter {
 public:
  struct Opened {
    PopupRequest request;
    QPoint windowOnScreen;
    int selectedButton;
  };
  void open(const PopupRequest& request, QPoint windowOnScreen, int selectedButton) override {
    opened.push_back({request, windowOnScreen, selectedButton});
    isOpenNow = true;
  }
  void closeAll() override {
    ++closed;
    isOpenNow = false;
  }
  bool isOpen() const override { return isOpenNow; }
  WarningAnswer showWarning(QWidget*) override {
    ++warnings;
    return warningAnswer;
  }

  std::vector<Opened> opened;
  int closed = 0;
  int warnings = 0;
  bool isOpenNow = false;
  WarningAnswer warningAnswer = WarningAnswer::Ok;
};

class WindowFixture {
 public:
  // `adjust` may edit the scratch skins folder (configuration, layouts) before start-up.
  explicit WindowFixture(const std::function<void(const std::filesystem::path& skins)>& adjust = {});
  ~WindowFixture();

  std::filesystem::path skins() const { return m_dir.path() / "skins"; }
  AppContext& context() { return *m_context; }
  COrvik_VOrozoDlg& window() { return *m_window; }
  RecordingPopups& popups() { return *m_popups; }
  SimulatedMouse& mouse() { return *m_context->simulatedMouse; }
  const std::vector<std::string>& messages() const { return m_messages; }
  bool initialised() const { return m_initialised; }

  // The centre of item `index` of a table, in window coordinates.
  QPoint centre(LayoutTable table, int index) const;
  const LayoutItem& item(LayoutTable table, int index) const;
  // Moves there, presses and releases the left button.
  void click(QPoint point);
  void clickItem(LayoutTable table, int index) { click(centre(table, index)); }
  void hover(QPoint point);
  // Shows a page through the page strip (0 main, 1 advanced, 2 macro, 3 lighting).
  void showPage(int page);
  // The record as the store holds it.
  SettingsRecord record();
  // Waits for a running apply to end.
  bool waitForApply(int timeoutMs = 20000);

 private:
  ScratchDir m_dir;
  std::unique_ptr<AppContext> m_context;
  std::unique_ptr<COrvik_VOrozoDlg> m_window;
  RecordingPopups* m_popups = nullptr;
  std::vector<std::string> m_messages;
  bool m_initialised = false;
};

}  // namespace tarvosk::test
