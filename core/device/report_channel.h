#pragma once
// The one way reports reach the mouse. Feature report 7 travels in one buffer whose bytes a
// command does not list keep what the previous report left there (the mouse relies on nothing
// else, and the leave command must keep bytes 4-7). The upload, the listener and the poll
// thread all send through it, so one lock covers each report and each whole block write: the
// mouse assembles a block across several reports, and nothing else may send in between.
//
// Lock order: whoever also needs the settings store (settings_store.h) takes the store first and
// the channel second.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/hid_transport.h"

namespace tarvosk {

inline constexpr uint8_t kFeatureReportId = 7;
inline constexpr uint8_t kInputReportId = 6;
// Report ID and the seven command bytes.
inline constexpr std::size_t kMinFeatureReportLength = 8;
// The block-write protocol counts a block's bytes in one report byte.
inline constexpr std::size_t kMaxBlockLength = 256;

// Pauses between reports. The real one sleeps; tests record the pauses instead of waiting.
class Pauser {
 public:
  virtual ~Pauser() = default;
  virtual void pause(int ms) = 0;
};

class SleepingPauser : public Pauser {
 public:
  void pause(int ms) override;
};

class ReportTrace;

class ReportChannel {
 public:
  explicit ReportChannel(Pauser& pauser) : m_pauser(pauser) {}

  // Sends through `connection` from now on, with reports of `featureReportLength` bytes (as the
  // mouse declares it). Refuses (returns false, keeps nothing) a length below 8, since every
  // command needs bytes 0-7, or a null connection.
  bool open(std::shared_ptr<HidConnection> connection, std::size_t featureReportLength);
  // Forgets the connection (the mouse is gone); reports fail until the next open().
  void close();
  bool isOpen() const;
  std::size_t featureReportLength() const;

  // Every report and pause is also written to `trace` (nullptr: none). Set it before any thread sends.
  void setTrace(ReportTrace* trace) { m_trace = trace; }

  // bytes[0] goes to report byte 1, bytes[1] to byte 2, ...: only the listed bytes are rewritten
  // (the buffer keeps the rest). Returns false when the transport reported a failure, no device
  // is open, or more than seven bytes are given; the report is then not retried.
  bool sendFeature(std::initializer_list<uint8_t> bytes);
  bool sendFeature(std::span<const uint8_t> bytes);

  // Get-feature; returns the reply buffer (byte 0 = 7) or nullopt on failure (buffer unchanged then).
  std::optional<std::vector<uint8_t>> queryStatus();

  // The block-write protocol with its pauses, under the channel lock: one staging report per
  // byte, pause 4 ms, commit, pause 2 ms, close. Returns false at the first failed report (it
  // stops sending then), and sends nothing for an empty block or one longer than 256 bytes.
  bool writeBlock(uint16_t address, std::span<const uint8_t> data);

  // Through the Pauser, so traces and tests see every pause.
  void pause(int ms);

  // Holds the channel for a sequence of reports (e.g. DPI command + end-of-image) so no other
  // thread interleaves.
  std::unique_lock<std::recursive_mutex> hold();

  // A copy of the report buffer as it stands (byte 0 = 7); empty when no device is open.
  std::vector<uint8_t> buffer() const;

 private:
  bool sendLocked(std::span<const uint8_t> bytes);

  Pauser& m_pauser;
  ReportTrace* m_trace = nullptr;
  mutable std::recursive_mutex m_mutex;
  std::shared_ptr<HidConnection> m_connection;
  std::vector<uint8_t> m_buffer;
};

// The leave command: the program is going and the mouse runs on its own. Sent only when a device
// is open; returns whether it was sent successfully.
bool sendLeaveCommand(ReportChannel& channel);

}  // namespace tarvosk
