#include "device/device_workers.h"

#include <vector>

#include "device/consumer_usage.h"
#include "device/host_flags.h"
#include "settings/config_file.h"
#include "settings/settings_rules.h"

namespace tarvosk {

namespace {

constexpr uint8_t kHostFunctionCommand = 0x11;
constexpr uint8_t kHostFunctionDown = 0x02;
constexpr uint8_t kHostFunctionUp = 0x00;
constexpr uint8_t kPlayUsageCommand = 0x17;
constexpr uint8_t kButtonBase = 0xF0;
constexpr int kStatusProfileByte = 6;
// After a failed read (the mouse went away) the listener waits this long before trying again,
// so a dead handle does not keep a core busy.
constexpr auto kRetryAfterFailure = std::chrono::milliseconds(50);

// The buttons of the settings record that the mouse reports as `lastButton`.
std::vector<int> matchingButtons(uint8_t lastButton) {
  std::vector<int> out;
  for (int j = 0; j < kButtons; ++j) {
    if (lastButton == kButtonBase + kButtonOrder[static_cast<std::size_t>(j)]) out.push_back(j);
  }
  return out;
}

}  // namespace

DeviceWorkers::DeviceWorkers(DeviceWorkerContext context) : m_context(std::move(context)) {}

DeviceWorkers::~DeviceWorkers() { stop(); }

void DeviceWorkers::start() {
  const std::lock_guard lock(m_mutex);
  if (m_listener.joinable()) return;
  m_stopping = false;
  m_listener = std::thread([this] { listenerLoop(); });
  m_poll = std::thread([this] { pollLoop(); });
}

void DeviceWorkers::stop() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  m_readInterrupt.raise();
  if (m_listener.joinable()) m_listener.join();
  if (m_poll.joinable()) m_poll.join();
}

void DeviceWorkers::setInput(std::shared_ptr<HidConnection> connection, std::size_t inputReportLength) {
  {
    const std::lock_guard lock(m_mutex);
    m_input = std::move(connection);
    m_inputLength = inputReportLength;
    ++m_inputGeneration;
  }
  m_changed.notify_all();
  // A listener blocked in a read of the previous connection picks up the new one.
  m_readInterrupt.raise();
}

ListenerFlags DeviceWorkers::flags() const {
  const std::lock_guard lock(m_mutex);
  return m_flags;
}

void DeviceWorkers::settingsChanged() { requestPass(); }

void DeviceWorkers::requestPass() {
  {
    const std::lock_guard lock(m_mutex);
    ++m_flagGeneration;
  }
  m_changed.notify_all();
}

uint64_t DeviceWorkers::listenerWakeups() const {
  const std::lock_guard lock(m_mutex);
  return m_listenerWakeups;
}

bool DeviceWorkers::waitUntilHandled(uint64_t reports, std::chrono::milliseconds timeout) {
  std::unique_lock lock(m_mutex);
  return m_changed.wait_for(lock, timeout,
                            [&] { return m_reportsHandled >= reports && m_passedGeneration == m_flagGeneration; });
}

void DeviceWorkers::listenerLoop() {
  std::vector<uint8_t> report;
  for (;;) {
    // Lowered before the connection is taken: a stop or setInput from now on ends the read.
    m_readInterrupt.clear();
    std::shared_ptr<HidConnection> input;
    {
      std::unique_lock lock(m_mutex);
      if (!m_stopping && m_input == nullptr) {
        m_changed.wait(lock, [&] { return m_stopping || m_input != nullptr; });
        ++m_listenerWakeups;
      }
      if (m_stopping) return;
      input = m_input;
      // Byte 2 is the last one the program reads; a shorter declared length still gets room for it.
      report.assign(std::max<std::size_t>(m_inputLength, 3), 0);
    }
    // No timeout: the read returns with a report, a failure, or the interrupt.
    const int got = input->readInput(report, -1, &m_readInterrupt);
    {
      const std::lock_guard lock(m_mutex);
      ++m_listenerWakeups;
    }
    if (got == 0) continue;
    if (got < 0) {
      std::unique_lock lock(m_mutex);
      const uint64_t generation = m_inputGeneration;
      m_changed.wait_for(lock, kRetryAfterFailure, [&] { return m_stopping || m_inputGeneration != generation; });
      ++m_listenerWakeups;
      continue;
    }
    handleInputReport(std::span<const uint8_t>(report.data(), static_cast<std::size_t>(got)));
  }
}

void DeviceWorkers::handleInputReport(std::span<const uint8_t> report) {
  InputOutcome outcome;
  {
    const std::lock_guard lock(m_mutex);
    outcome = applyInputReport(m_flags, report);
    if (outcome.action == InputAction::Buttons) ++m_flagGeneration;
  }
  if (outcome.action == InputAction::Buttons) m_changed.notify_all();
  // Another slot may give a waiting press or release its host-function button.
  if (outcome.action == InputAction::ProfileChanged && reloadProfileFromMouse()) requestPass();
  if (outcome.action == InputAction::BallisticStep && m_context.correctionStep) {
    m_context.correctionStep(outcome.direction);
  }
  {
    const std::lock_guard lock(m_mutex);
    ++m_reportsHandled;
  }
  m_changed.notify_all();
}

bool DeviceWorkers::reloadProfileFromMouse() {
  {
    auto storeLock = m_context.store.lock();
    const auto status = m_context.channel.queryStatus();
    // Without a reply there is nothing to follow: the slot shown stays as it is.
    if (!status || status->size() <= kStatusProfileByte) return false;
    SettingsRecord& record = m_context.store.record;
    record.currentProfile = ((*status)[kStatusProfileByte] >> 2) & 3;
    saveCurrentProfile(record, m_context.paths.configFile);
    loadSlot(record, m_context.paths, record.currentProfile, ConfigSource::Current, m_context.prompter);
  }
  if (m_context.repaint) m_context.repaint();
  return true;
}

void DeviceWorkers::pollLoop() {
  for (;;) {
    uint64_t generation;
    {
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [&] { return m_stopping || m_flagGeneration != m_passedGeneration; });
      if (m_stopping) return;
      generation = m_flagGeneration;
    }
    runPollPass();
    {
      const std::lock_guard lock(m_mutex);
      m_passedGeneration = generation;
    }
    m_changed.notify_all();
  }
}

void DeviceWorkers::runPollPass() {
  bool repaint = false;
  bool switched = false;
  {
    // The store first, then the channel, then the flags: the order every thread keeps.
    auto storeLock = m_context.store.lock();
    SettingsRecord& record = m_context.store.record;
    const HostFlags& host = m_context.store.hostFlags;
    const auto slot = static_cast<std::size_t>(profileSlotIndex(record.currentProfile));

    // Take the flags as they stand and clear what this pass handles, in one step, so a report
    // arriving meanwhile is kept for the next pass.
    ListenerFlags taken;
    std::vector<int> matches;
    bool sendDown = false;
    bool sendUp = false;
    {
      const std::lock_guard lock(m_mutex);
      taken = m_flags;
      matches = matchingButtons(taken.lastButton);
      bool hostButton = false;
      for (const int j : matches) hostButton = hostButton || host.hostFunction[slot][static_cast<std::size_t>(j)];
      // A pending flag without a matching host-function button stays for the next pass: a profile
      // switch or a changed table may give it one.
      if (taken.pressPending && hostButton) {
        sendDown = true;
        m_flags.pressPending = false;
      } else if (taken.releasePending && hostButton) {
        sendUp = true;
        m_flags.releasePending = false;
      }
      m_flags.dpiReportPending = false;
      m_flags.buttonJob = false;
    }

    if (sendDown) m_context.channel.sendFeature({kHostFunctionCommand, kHostFunctionDown, 0, 0, 0, 0, 0});
    if (sendUp) m_context.channel.sendFeature({kHostFunctionCommand, kHostFunctionUp, 0, 0, 0, 0, 0});

    if (taken.dpiReportPending) {
      for (const int j : matches) {
        if (!host.dpiFunction[slot][static_cast<std::size_t>(j)]) continue;
        record.dpiLevel = taken.reportedDpiLevel;
        saveDpiLevel(record, m_context.paths.configFile);
        repaint = true;
      }
    }

    if (taken.buttonJob) {
      for (const int j : matches) {
        const auto button = static_cast<std::size_t>(j);
        if (host.profileSwitch[slot][button]) {
          // The mouse has already switched; read back which slot it is on now.
          if (const auto status = m_context.channel.queryStatus(); status && status->size() > kStatusProfileByte) {
            record.currentProfile = ((*status)[kStatusProfileByte] >> 2) & 3;
            saveCurrentProfile(record, m_context.paths.configFile);
            loadSlot(record, m_context.paths, record.currentProfile, ConfigSource::Current, m_context.prompter);
            repaint = true;
            switched = true;
          }
        }
        const auto nowSlot = static_cast<std::size_t>(profileSlotIndex(record.currentProfile));
        const int32_t code = record.buttonFunction[nowSlot][button];
        if (code >= kFunctionFirstMultimedia && code <= kFunctionLastMultimedia) {
          const uint16_t usage = consumerUsage(code - kFunctionFirstMultimedia);
          // Bytes 4-7 keep what the previous report left, as the mouse expects.
          m_context.channel.sendFeature(
              {kPlayUsageCommand, static_cast<uint8_t>(usage >> 8), static_cast<uint8_t>(usage & 0xFF)});
        }
      }
    }
  }
  if (repaint && m_context.repaint) m_context.repaint();
  // The press that switched may have a host function in the new slot: look again at once.
  if (switched) requestPass();
}

}  // namespace tarvosk
