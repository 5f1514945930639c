#pragma once
// The mouse's side of the link, in software: a 64 KiB settings memory filled by the block-write
// protocol, the status reply, the commands the program sends, and input report 6 on request.
// Tests, the benchmarks and `tarvosk-cli --device sim` talk to it exactly as to the real mouse.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid_transport.h"

namespace tarvosk {

inline constexpr std::size_t kMouseMemorySize = 0x10000;

// What the simulated mouse is: its identifiers, memory size and reply fields, report lengths.
struct SimulatedMouseDescription {
  uint16_t vendorId = 0x18F8;
  uint16_t productId = 0x13C0;
  int macroMemory = 2040;     // 2040 or 4088: status byte 6 bit 1
  uint8_t statusNibble = 0;   // status byte 7 bits 0-3
  uint8_t activeProfile = 0;  // status byte 6 bits 2-3
  uint16_t inputReportLength = 8;
  uint16_t featureReportLength = 8;
  std::string path = "sim:mouse";
};

// One report the mouse received, in arrival order.
struct ReceivedReport {
  enum class Kind { SetFeature, GetFeature };
  Kind kind;
  std::vector<uint8_t> bytes;  // what was sent; for a fetch, the report as it arrived (ID first)
};

class SimulatedMouse : public HidTransport {
 public:
  explicit SimulatedMouse(SimulatedMouseDescription description = {});
  ~SimulatedMouse() override;

  // HidTransport: one interface with the vendor input collection (0xFF00), the vendor feature
  // collection (0xFF01) and an ordinary mouse collection, all on one path.
  std::vector<HidInterfaceInfo> enumerate() override;
  std::shared_ptr<HidConnection> open(const std::string& path) override;

  // --- What the mouse holds ---
  std::vector<uint8_t> memory() const;  // all 65536 bytes
  uint8_t memoryAt(uint16_t address) const;
  std::vector<ReceivedReport> received() const;
  std::vector<std::vector<uint8_t>> sentFeatureReports() const;  // the SetFeature ones only
  void clearReceived();
  int activeProfile() const;
  int imagesEnded() const;  // end-of-image reports received
  bool leaveReceived() const;
  std::optional<int> dpiLevel() const;  // from the last DPI command
  uint8_t dpiEnableMask() const;
  bool hostFunctionActive() const;  // between 0x11 0x02 and 0x11 0x00
  std::vector<uint16_t> consumerUsagesPlayed() const;
  // Reports that broke the block protocol: anything else arriving while a block is open, a
  // staging report of another block, a commit without staging. Zero on a well-behaved host.
  int protocolViolations() const;

  // --- Making it misbehave ---
  // From now on every report fails, as when the mouse is unplugged. `afterReports` lets that
  // many more feature reports through first.
  void failFrom(int afterReports = 0);

  // --- Input report 6, queued for the next read ---
  // Button `button` (1..15, the mouse's numbering) pressed; with a DPI level (0..7) byte 2
  // carries it (0x80 + level), which is how a DPI button reports each switch: one report, so the
  // switch to level 0 is the same 0x80 as a release. A button whose key in the active profile holds a profile switch
  // (device codes 23, 25, 26 for slots 0, 2, 3) first changes the active profile, as the mouse does.
  void pressButton(int button, std::optional<int> dpiLevel = std::nullopt);
  void releaseButton(int button);
  // The user switched profile on the mouse: activeProfile changes, then report 3 follows.
  void changeProfile(int slot);
  void ballisticStep(bool up);
  // Any raw input report (byte 0 should be 6 for the program to look at it).
  void injectInput(std::vector<uint8_t> report);
  // Input reports queued and not yet read.
  std::size_t pendingInput() const;
  // Makes readers waiting in readInput return at once with a failure (the mouse went away).
  void disconnectInput();

 private:
  struct State;
  class Connection;
  // Connections share the state, so one may outlive the mouse object without dangling.
  std::shared_ptr<State> m_state;
};

}  // namespace tarvosk
