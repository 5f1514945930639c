#include "device/input_report.h"

namespace tarvosk {

namespace {
constexpr uint8_t kInputReportId = 6;
constexpr uint8_t kButtonBase = 0xF0;
constexpr uint8_t kProfileChanged = 0x03;
constexpr uint8_t kBallisticUp = 0x01;
constexpr uint8_t kBallisticDown = 0x02;
constexpr uint8_t kDpiCarried = 0x80;
}  // namespace

InputOutcome applyInputReport(ListenerFlags& flags, std::span<const uint8_t> report) {
  if (report.size() < 2 || report[0] != kInputReportId) return {};
  const uint8_t code = report[1];
  if (code > kButtonBase) {
    if (report.size() < 3) return {};
    const uint8_t state = report[2];
    // Bit 7 carries a DPI level in bits 0-2. Exactly 0x80 is also a release, and it is what a
    // DPI button sends when it switches the mouse to the first level: one report per switch, so
    // it has to count as both. The poll thread applies the level only for buttons with the DPI
    // function, so the release of any other button leaves the level alone.
    if (state & kDpiCarried) {
      flags.lastButton = code;
      flags.dpiReportPending = true;
      flags.reportedDpiLevel = state & 0x07;
    } else {
      flags.dpiReportPending = false;
    }
    if (state == kReleaseState) {
      flags.pressPending = false;
      flags.releasePending = true;
    } else {
      flags.pressPending = true;
      flags.releasePending = false;
      if (!flags.buttonJob) {
        flags.buttonJob = true;
        flags.lastButton = code;
      }
    }
    return {InputAction::Buttons, 0};
  }
  if (code == kButtonBase) return {};
  if (code == kProfileChanged) return {InputAction::ProfileChanged, 0};
  if (code == kBallisticUp) flags.ballisticDirection = 1;
  if (code == kBallisticDown) flags.ballisticDirection = 0;
  // Any other code repeats the last step (a step down before the first one).
  return {InputAction::BallisticStep, flags.ballisticDirection};
}

}  // namespace tarvosk
