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
    if (state == kReleaseState) {
      // The release is matched to its own button for the host function; it says nothing about
      // the DPI level (bits 0-2 are zero), so a pending level from the press stays.
      flags.lastButton = code;
      flags.pressPending = false;
      flags.releasePending = true;
    } else {
      if (state & kDpiCarried) {
        flags.lastButton = code;
        flags.dpiReportPending = true;
        flags.reportedDpiLevel = state & 0x07;
      } else {
        flags.dpiReportPending = false;
      }
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
