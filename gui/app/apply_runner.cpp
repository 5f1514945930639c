#include "app/apply_runner.h"

#include <algorithm>

#include "app/app_context.h"
#include "device/device_status.h"
#include "device/macro_area.h"
#include "device/settings_image.h"

namespace tarvosk {

namespace {
// The settings image is written byte by byte in blocks of up to eight, each block opened and
// closed by a report of its own; the commands around it add a few more.
constexpr int kImageReports = 0x7F + 2 * (0x7F / 8 + 1) + 8;
}  // namespace

int estimatedUploadReports(const SettingsRecord& record, const MacroSource& macros) {
  SettingsRecord copy = record;
  const ButtonTranslation translation = prepareUpload(copy, macros);
  const MacroAreaPlan plan = planMacroArea(copy, translation, macros, kLargeMacroMemory);
  int reports = kImageReports;
  for (const MacroAreaStep& step : plan.steps) {
    if (step.kind == MacroAreaStep::Kind::Write) reports += static_cast<int>(step.block.bytes.size()) + 2;
  }
  return reports;
}

ApplyRunner::ApplyRunner(AppContext& context, Prompter& prompter, QObject* parent)
    : QObject(parent), m_context(context), m_prompter(prompter) {
  // Set once, before the worker threads send anything: the channel reads it without a lock.
  m_context.channel.setTrace(&m_counter);
}

ApplyRunner::~ApplyRunner() {
  wait();
  // The window stops the worker threads before it lets go of this object.
  m_context.channel.setTrace(nullptr);
}

bool ApplyRunner::start(std::function<void()> repaint) {
  if (m_running) return false;
  if (m_thread.joinable()) m_thread.join();
  m_estimate = 0;  // set by the worker before it sends anything
  m_counter.reset();
  m_running = true;
  m_thread = std::thread([this, repaint = std::move(repaint)] {
    {
      // The estimate reads the macro files: on this thread, so the window never waits for them.
      SettingsRecord record;
      {
        auto lock = m_context.store.lock();
        record = m_context.store.record;
      }
      m_estimate = std::max(1, estimatedUploadReports(record, m_context.macroSource));
    }
    UploadContext upload{m_context.store,   m_context.channel,    m_context.macroSource,
                         *m_context.pointer, m_prompter,           m_context.uploadState,
                         m_context.paths.configFile, m_context.statusNibble, {}, repaint};
    const UploadResult result = uploadSettings(upload);
    m_running = false;
    QMetaObject::invokeMethod(this, [this, result] { Q_EMIT finished(result); }, Qt::QueuedConnection);
  });
  return true;
}

double ApplyRunner::progress() const {
  const int estimate = m_estimate;
  if (!m_running || estimate <= 0) return 0.0;
  return std::min(0.99, static_cast<double>(m_counter.sentCount()) / estimate);
}

void ApplyRunner::wait() {
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace tarvosk
