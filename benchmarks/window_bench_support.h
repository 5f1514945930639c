#pragma once
// The main window as the program builds it, for the window benchmarks: a private copy of the
// generated skins (start-up and an apply write into the configuration), the simulated mouse, and
// a window that notes its first paint.

#include <unistd.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/app_context.h"
#include "app/main_window.h"
#include "app/popup_layer.h"

namespace tarvosk::bench {

// The offscreen platform cannot shape windows and says so at every window; the benchmarks' output
// stays readable without that line.
inline void quietMaskWarnings() {
  static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support setting window masks"))) return;
    if (previous) previous(type, context, message);
  });
}

// A copy of the runtime skins folder under the temporary folder, removed again on destruction.
class ScratchSkins {
 public:
  ScratchSkins()
      : m_root(std::filesystem::temp_directory_path() / ("tarvosk-window-bench-" + std::to_string(::getpid()))) {
    std::error_code error;
    std::filesystem::remove_all(m_root, error);
    std::filesystem::create_directories(m_root, error);
    std::filesystem::copy(TARVOSK_RUNTIME_SKINS_DIR, m_root / "skins", std::filesystem::copy_options::recursive, error);
    m_ok = !error;
  }
  ~ScratchSkins() {
    std::error_code error;
    std::filesystem::remove_all(m_root, error);
  }
  ScratchSkins(const ScratchSkins&) = delete;
  ScratchSkins& operator=(const ScratchSkins&) = delete;

  bool ok() const { return m_ok; }
  std::filesystem::path skins() const { return m_root / "skins"; }

 private:
  std::filesystem::path m_root;
  bool m_ok = false;
};

// What `tarvosk --skins DIR --simulate` starts with.
inline WindowOptions simulatedOptions(const ScratchSkins& scratch) {
  WindowOptions options;
  options.skinsFolder = scratch.skins();
  options.simulate = true;
  options.commandLine = "tarvosk --skins " + scratch.skins().string() + " --simulate";
  return options;
}

// The window with a note of its first paint.
class ObservedWindow : public COrvik_VOrozoDlg {
 public:
  using COrvik_VOrozoDlg::COrvik_VOrozoDlg;
  bool painted() const { return m_painted; }

 protected:
  void paintEvent(QPaintEvent* event) override {
    COrvik_VOrozoDlg::paintEvent(event);
    m_painted = true;
  }

 private:
  bool m_painted = false;
};

// Serves events until the window has painted once; false after `timeoutMs` without a paint.
inline bool waitForFirstPaint(const ObservedWindow& window, int timeoutMs = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!window.painted()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// A left click at the centre of main strip item `item` (the page tabs are 6..9).
inline void clickStripItem(COrvik_VOrozoDlg& window, const AppContext& context, int item) {
  const LayoutItem& target = context.layout.main[static_cast<std::size_t>(item)];
  const QPointF local(target.x + target.width / 2.0, target.y + target.height / 2.0);
  const QPointF global = window.mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &release);
  // Outside a running event loop, deleteLater() (the profile name fields leaving with the main
  // page) waits for the next loop at this level: carry it out now, as the program's loop would.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The main of a window benchmark: an application on the offscreen platform (unless another is
// chosen) that never quits when the window hides, then the registered benchmarks.
inline int runWindowBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  quietMaskWarnings();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace tarvosk::bench
