#pragma once
// The apply, run on a worker thread so the window keeps painting. The window starts it, shows
// that it is applying (progress from the reports sent so far), ignores setting changes and a
// second apply until `finished` arrives. The upload's own messages reach the user through the
// prompter, which shows them on the GUI thread while the worker waits.

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

#include "device/report_trace.h"
#include "device/settings_upload.h"

namespace tarvosk {

struct AppContext;

// Counts the reports the upload sends, for the progress shown while it runs.
class ReportCounter : public ReportTrace {
 public:
  void sent(std::span<const uint8_t>) override { m_sent.fetch_add(1, std::memory_order_relaxed); }
  void received(std::span<const uint8_t>) override {}
  void paused(int) override {}
  int sentCount() const { return m_sent.load(std::memory_order_relaxed); }
  void reset() { m_sent.store(0, std::memory_order_relaxed); }

 private:
  std::atomic<int> m_sent{0};
};

// About how many reports an upload of `record` sends (settings image, macro area, commands),
// from the plan the upload itself would make; for the progress bar only.
int estimatedUploadReports(const SettingsRecord& record, const MacroSource& macros);

class ApplyRunner : public QObject {
  Q_OBJECT

 public:
  ApplyRunner(AppContext& context, Prompter& prompter, QObject* parent = nullptr);
  ~ApplyRunner() override;

  // Starts the upload unless one runs; returns false when one was already running.
  // `repaint` is queued to the GUI thread by the caller's binding.
  bool start(std::function<void()> repaint);
  bool running() const { return m_running; }
  // 0..1 while running: reports sent against the estimate (never 1 before the end).
  double progress() const;
  // Waits for a running upload to end (used only when the program leaves).
  void wait();

 Q_SIGNALS:
  void finished(tarvosk::UploadResult result);

 private:
  AppContext& m_context;
  Prompter& m_prompter;
  ReportCounter m_counter;
  std::atomic<int> m_estimate{0};  // 0 until the worker has planned the upload
  std::atomic<bool> m_running{false};
  std::thread m_thread;
};

}  // namespace tarvosk
