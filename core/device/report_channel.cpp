#include "device/report_channel.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "device/report_trace.h"

namespace tarvosk {

namespace {

constexpr uint8_t kMemoryWrite = 0x18;
constexpr uint8_t kStage = 0x03;
constexpr uint8_t kCommit = 0x09;
constexpr uint8_t kCloseBlock = 0x00;
constexpr int kPauseAfterStaging = 4;
constexpr int kPauseAfterCommit = 2;

uint8_t lowByte(unsigned value) { return static_cast<uint8_t>(value & 0xFF); }
uint8_t highByte(unsigned value) { return static_cast<uint8_t>((value >> 8) & 0xFF); }

}  // namespace

void SleepingPauser::pause(int ms) {
  if (ms <= 0) return;
#ifdef __linux__
  // The kernel may wake a sleeper up to 50 µs late by default, and the protocol's many 2 ms
  // pauses add that up; the thread that sends asks for punctual wake-ups once.
  thread_local const bool punctual = ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
  (void)punctual;
#endif
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool ReportChannel::open(std::shared_ptr<HidConnection> connection, std::size_t featureReportLength) {
  if (!connection || featureReportLength < kMinFeatureReportLength) return false;
  const std::lock_guard lock(m_mutex);
  m_connection = std::move(connection);
  m_buffer.assign(featureReportLength, 0);
  m_buffer[0] = kFeatureReportId;
  return true;
}

void ReportChannel::close() {
  const std::lock_guard lock(m_mutex);
  m_connection.reset();
  m_buffer.clear();
}

bool ReportChannel::isOpen() const {
  const std::lock_guard lock(m_mutex);
  return m_connection != nullptr;
}

std::size_t ReportChannel::featureReportLength() const {
  const std::lock_guard lock(m_mutex);
  return m_buffer.size();
}

bool ReportChannel::sendFeature(std::initializer_list<uint8_t> bytes) {
  return sendFeature(std::span<const uint8_t>(bytes.begin(), bytes.size()));
}

bool ReportChannel::sendFeature(std::span<const uint8_t> bytes) {
  const std::lock_guard lock(m_mutex);
  return sendLocked(bytes);
}

bool ReportChannel::sendLocked(std::span<const uint8_t> bytes) {
  if (!m_connection || bytes.size() > kMinFeatureReportLength - 1) return false;
  std::copy(bytes.begin(), bytes.end(), m_buffer.begin() + 1);
  if (m_trace) m_trace->sent(m_buffer);
  return m_connection->setFeature(m_buffer);
}

std::optional<std::vector<uint8_t>> ReportChannel::queryStatus() {
  const std::lock_guard lock(m_mutex);
  if (!m_connection) return std::nullopt;
  // Fetch into a copy: a failed fetch must leave the buffer exactly as the last report left it.
  std::vector<uint8_t> reply = m_buffer;
  reply[0] = kFeatureReportId;
  const int got = m_connection->getFeature(reply);
  if (got < 0) {
    if (m_trace) m_trace->received({});
    return std::nullopt;
  }
  // A short reply only replaces the bytes it carried; the rest keep the buffer's values.
  const auto carried = std::min<std::size_t>(static_cast<std::size_t>(got), reply.size());
  std::copy(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(carried), m_buffer.begin());
  m_buffer[0] = kFeatureReportId;
  if (m_trace) m_trace->received(m_buffer);
  return m_buffer;
}

bool ReportChannel::writeBlock(uint16_t address, std::span<const uint8_t> data) {
  if (data.empty() || data.size() > kMaxBlockLength) return false;
  const std::lock_guard lock(m_mutex);
  if (!m_connection) return false;
  const uint8_t lastIndex = static_cast<uint8_t>(data.size() - 1);
  for (std::size_t i = 0; i < data.size(); ++i) {
    const std::array<uint8_t, 7> stage = {
        kMemoryWrite, kStage, static_cast<uint8_t>(i), lowByte(address), highByte(address), data[i], lastIndex};
    if (!sendLocked(stage)) return false;
  }
  pause(kPauseAfterStaging);
  const std::array<uint8_t, 7> commit = {kMemoryWrite,      kCommit, 0x00,     lowByte(address),
                                         highByte(address), 0x00,    lastIndex};
  if (!sendLocked(commit)) return false;
  pause(kPauseAfterCommit);
  const std::array<uint8_t, 7> close = {kMemoryWrite,      kCloseBlock, 0x00, lowByte(address),
                                        highByte(address), 0x00,        0x00};
  return sendLocked(close);
}

void ReportChannel::pause(int ms) {
  if (m_trace) m_trace->paused(ms);
  m_pauser.pause(ms);
}

std::unique_lock<std::recursive_mutex> ReportChannel::hold() { return std::unique_lock(m_mutex); }

std::vector<uint8_t> ReportChannel::buffer() const {
  const std::lock_guard lock(m_mutex);
  return m_buffer;
}

bool sendLeaveCommand(ReportChannel& channel) {
  // Bytes 4-7 keep what the previous report left: the mouse expects the leave command that way.
  if (!channel.isOpen()) return false;
  return channel.sendFeature({0x20, 0x00, 0x00});
}

}  // namespace tarvosk
