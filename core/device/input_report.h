#pragma once
// What the listener makes of input report 6: the flags it shares with the poll thread, and
// what else the report asks for (a profile reload, a ballistic-correction step).

#include <cstdint>
#include <span>

namespace tarvosk {

// Written by the listener, read and cleared by the poll thread; both hold the workers' lock.
struct ListenerFlags {
  bool buttonJob = false;         // a press waits for the poll thread; a second press meanwhile is dropped
  uint8_t lastButton = 0;         // byte 1 of the last button report that set a flag (0xF1..0xFF)
  bool pressPending = false;      // a press waits for the host-function check
  bool releasePending = false;    // a release waits for the host-function check
  bool dpiReportPending = false;  // the last button report carried a DPI level
  uint8_t reportedDpiLevel = 0;   // that level (0..7), from the latest report that carried one
  int ballisticDirection = 0;     // 1 up, 0 down: the last step the mouse asked for
};

enum class InputAction {
  None,            // ignored, or only the flags changed
  Buttons,         // a button report changed the flags: the poll thread has work
  ProfileChanged,  // the mouse switched profile: read it back and reload that slot
  BallisticStep,   // run the ballistic-correction step in `direction`
};

struct InputOutcome {
  InputAction action = InputAction::None;
  int direction = 0;  // for BallisticStep
};

inline constexpr uint8_t kReleaseState = 0x80;

// Applies one input report (`report` as read, report ID first) to the flags. A report whose ID
// is not 6, or too short to carry what its kind needs, changes nothing. Byte 2 exactly 0x80 is a
// release that also carries DPI level 0.
InputOutcome applyInputReport(ListenerFlags& flags, std::span<const uint8_t> report);

}  // namespace tarvosk
