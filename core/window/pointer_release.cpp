// The release half of the main window's pointer handling: every release acts through the page
// strip; items 6..9 already acted on the press.

#include "settings/settings_rules.h"
#include "window/pointer_handling.h"

namespace tarvosk {

namespace {

// Strip items 11..13 are the profile tabs 1..3; items above 10 exist only on the main page.
constexpr int kFirstProfileTab = 11;
constexpr int kLastStripItem = 10;

}  // namespace

ReleaseOutcome decideRelease(const PointerInput& input, SettingsRecord& record) {
  ReleaseOutcome out;
  if (refusedWhileRecording(input.hover, input.recording)) {
    out.refusedRecording = true;
    return out;
  }
  out.clearButtonHeld = true;

  const int strip = input.hover.strip;
  // The stored hover may be older than the page; main page items never act on another page.
  const bool mainPageItem = strip > kLastStripItem && strip != kNoItem;
  if (!mainPageItem || record.currentPage == 0) {
    switch (strip) {
      case 0:
        out.action = ReleaseAction::HideToTray;
        out.clearStripHover = true;
        break;
      case 1:
        out.action = ReleaseAction::HideAndLeave;
        out.clearStripHover = true;
        break;
      case 2:
        out.action = ReleaseAction::HideAndRevert;
        out.clearStripHover = true;
        break;
      case 3: out.action = ReleaseAction::Apply; break;
      case 4:
        out.action = ReleaseAction::SwitchLanguage;
        out.targetLanguage = 0;
        break;
      case 5:
        out.action = ReleaseAction::SwitchLanguage;
        out.targetLanguage = 1;
        break;
      case 11:
      case 12:
      case 13:
        // Selecting a tab only changes the slot shown; the choice is written by the next apply.
        record.currentProfile = slotForTab(strip - kFirstProfileTab + 1);
        out.profileSelected = true;
        break;
      case 14: out.action = ReleaseAction::Import; break;
      case 15: out.action = ReleaseAction::Export; break;
      case 16: out.action = ReleaseAction::ResetToFactory; break;
      case 19: out.action = ReleaseAction::OpenWebPage; break;
      default: break;
    }
  }
  out.repaint = repaintAreaFor(record.currentPage);
  return out;
}

}  // namespace tarvosk
