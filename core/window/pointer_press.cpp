// The press half of the main window's pointer handling: the common steps, then the rows of the
// page shown.

#include <algorithm>
#include <array>
#include <cstddef>

#include "settings/settings_rules.h"
#include "window/pointer_handling.h"
#include "window/slider_rules.h"

namespace tarvosk {

namespace {

constexpr uint8_t kPageMain = 0;
constexpr uint8_t kPageAdvanced = 1;
constexpr uint8_t kPageMacro = 2;
constexpr uint8_t kPageLed = 3;

// Strip items 6..9 are the page tabs, in page order.
constexpr int kFirstPageTab = 6;
constexpr int kLastPageTab = 9;
// Main items 20..25 are the callouts of buttons 1..6.
constexpr int kFirstButtonCallout = 20;

// The LED reaction key each of the switches 51..57 toggles (key 6 has no switch).
constexpr std::array<int, 7> kReactionSwitchKeys = {0, 1, 2, 3, 4, 5, 7};

bool between(int value, int low, int high) { return value >= low && value <= high; }

// Window coordinates come from hand-editable files: sums saturate instead of wrapping.
int32_t sum(int64_t a, int64_t b) { return static_cast<int32_t>(std::clamp<int64_t>(a + b, INT32_MIN, INT32_MAX)); }

template <std::size_t N>
const LayoutItem& itemOf(const std::array<LayoutItem, N>& table, int index) {
  static const LayoutItem kNone{};
  if (index < 0 || static_cast<std::size_t>(index) >= N) return kNone;
  return table[static_cast<std::size_t>(index)];
}

// A popup that opens right below an item, as wide as the item plus `extraWidth`.
PopupRequest popupBelow(PopupKind kind, const LayoutItem& item, int32_t dx, int32_t extraWidth) {
  return PopupRequest{kind, sum(item.x, dx), sum(item.y, item.height), sum(item.width, extraWidth)};
}

// Shows page `to`: each page's child controls live only while it shows, and each preview runs
// only on its page (it ends by itself when the page is left).
void showPage(uint8_t to, const PointerInput& in, SettingsRecord& r, PressOutcome& out) {
  const uint8_t from = r.currentPage;
  if (from == to) return;
  out.pageChanged = true;
  out.destroyNameEdits = from == kPageMain;
  out.destroyMacroControls = from == kPageMacro;
  r.currentPage = to;
  out.createNameEdits = to == kPageMain;
  out.createMacroControls = to == kPageMacro;
  out.startMainPreview = to == kPageMain && !in.mainPreviewRunning;
  out.startLedPreview = to == kPageLed && !in.ledPreviewRunning;
}

// A press on another page's tab shows that page; the press is then done.
bool pressPageTab(const PointerInput& in, SettingsRecord& r, PressOutcome& out) {
  const int strip = in.hover.strip;
  if (!between(strip, kFirstPageTab, kLastPageTab)) return false;
  showPage(static_cast<uint8_t>(strip - kFirstPageTab), in, r, out);
  return out.pageChanged;
}

void pressMainPage(const SkinLayout& layout, const PointerInput& in, SettingsRecord& r, PressOutcome& out) {
  if (pressPageTab(in, r, out)) return;
  const int strip = in.hover.strip;
  if (between(strip, kFirstButtonCallout, kFirstButtonCallout + kButtons - 1)) {
    const int button = strip - kFirstButtonCallout;
    out.selectedButton = button;
    out.leftClickWarning = needsLeftClickWarning(r, button);
    out.popup = popupBelow(PopupKind::ButtonFunctions, itemOf(layout.main, strip), 1, 1);
  } else if (strip == kNoItem) {
    // On the main page the strip covers the whole page table.
    out.windowDrag = true;
  }
}

void pressAdvancedPage(const SkinLayout& layout, const PointerInput& in, SettingsRecord& r, PressOutcome& out) {
  if (pressPageTab(in, r, out)) return;
  const int a = in.hover.advanced;
  const LayoutItem& item = itemOf(layout.advanced, a);
  const std::optional<int32_t> offset = sliderOffset(item, in.clickX);
  if (between(a, 47, 50)) {
    toggleDpiEnable(r, a - 47);
  } else if (between(a, 60, 63)) {
    selectDpiLevel(r, a - 60);
  } else if (between(a, 66, 69)) {
    if (offset) r.dpiValue[static_cast<std::size_t>(a - 66)] = dpiSliderStep(*offset, item.width);
  } else if (between(a, 70, 117)) {
    // Four rows of twelve markers, one per DPI step.
    r.dpiValue[static_cast<std::size_t>((a - 70) / kDpiSteps)] = static_cast<uint8_t>((a - 70) % kDpiSteps);
  } else if (a == 1) {
    if (offset) r.pointerSpeed = speedSliderValue(*offset, item.width);
  } else if (a == 18) {
    if (offset) r.wheelSpeed = speedSliderValue(*offset, item.width);
  } else if (a == 31) {
    if (offset) r.fireTime = fireTimeSliderValue(*offset, item.width);
  } else if (between(a, 34, 37)) {
    setUsbRate(r, static_cast<uint8_t>(a - 34));
  } else if (between(a, 38, 41)) {
    setUsbRate(r, static_cast<uint8_t>(a - 38));
  } else if (a == kNoItem && in.hover.strip == kNoItem) {
    out.windowDrag = true;
  }
  // Items 51, 52 (enable) and 64, 65 (select) would name DPI levels 5 and 6, which the mouse's
  // settings do not have: they do nothing.
}

bool brightnessAdjustable(uint8_t ledType) {
  return ledType == 2 || ledType == 3 || ledType == 4 || ledType == 5 || ledType == 8;
}
bool speedAdjustable(uint8_t ledType) { return ledType != 2 && ledType != 9; }

void pressLedPage(const SkinLayout& layout, const PointerInput& in, SettingsRecord& r, PressOutcome& out) {
  if (pressPageTab(in, r, out)) return;
  const int l = in.hover.led;
  const LayoutItem& item = itemOf(layout.led, l);
  const std::optional<int32_t> offset = sliderOffset(item, in.clickX);
  if (between(l, 7, 13)) {
    toggleCycleColor(r, l - 7);
  } else if (l == 14) {
    r.ledUserColorEnable = r.ledUserColorEnable != 0 ? 0 : 1;
  } else if (l == 35) {
    out.popup = popupBelow(PopupKind::LedModes, item, 0, 0);
  } else if (l == 40) {
    if (offset && brightnessAdjustable(r.ledType)) r.ledBrightness = ledBrightnessSliderValue(*offset, item.width);
  } else if (l == 41) {
    if (offset && speedAdjustable(r.ledType)) r.ledCycleTime = ledSpeedSliderValue(*offset, item.width);
  } else if (l == 45) {
    r.ledSymmetry = r.ledSymmetry != 0 ? 0 : 1;
  } else if (between(l, 47, 49)) {
    r.ledDirection = l - 47;
  } else if (l == 50) {
    // The fourth direction exists only in the mode that shows it.
    if (r.ledType == 3) r.ledDirection = 3;
  } else if (between(l, 51, 57)) {
    int32_t& enable = r.ledReactEnable[static_cast<std::size_t>(profileSlotIndex(r.currentProfile))]
                                      [static_cast<std::size_t>(kReactionSwitchKeys[static_cast<std::size_t>(l - 51)])];
    enable = enable != 0 ? 0 : 1;
  } else if (l == kNoItem && in.hover.strip == kNoItem) {
    out.windowDrag = true;
  }
}

void pressMacroPage(const SkinLayout& layout, const PointerInput& in, SettingsRecord& r, PressOutcome& out) {
  if (pressPageTab(in, r, out)) return;
  const int m = in.hover.macro;
  const bool listHasMacros = in.macroListCount > 0;
  switch (m) {
    case 1:
      if (in.macroGroupCount > 0) {
        // Below the group name field, whose rectangle is the first EDIT entry.
        const LayoutRect& field = layout.macroEdit[0];
        out.popup =
            PopupRequest{PopupKind::MacroGroups, sum(field.left, -1), sum(field.bottom, 2), kMacroGroupMenuWidth};
      }
      break;
    case 2: out.macroAction = MacroPageAction::NewGroup; break;
    case 3: out.macroAction = MacroPageAction::DeleteGroup; break;
    case 4: out.popup = popupBelow(PopupKind::MacroFileMenu, itemOf(layout.macro, m), 0, 0); break;
    case 5:
      // A running recording can always be stopped, even if its list emptied meanwhile.
      if (listHasMacros || in.recording) out.macroAction = MacroPageAction::ToggleRecording;
      break;
    case 6: out.macroAction = MacroPageAction::NewMacro; break;
    case 7:
      if (listHasMacros && !in.recording) out.macroAction = MacroPageAction::DeleteMacro;
      break;
    case 10:
    case 11:
    case 12:
      // Items 10, 11, 12 are play modes 2, 1, 0; without a macro there is nothing to set.
      if (listHasMacros) {
        out.macroAction = MacroPageAction::SetPlayMode;
        out.playMode = 12 - m;
      }
      break;
    case kNoItem:
      if (in.hover.strip == kNoItem) out.windowDrag = true;
      break;
    default: break;
  }
}

}  // namespace

bool refusedWhileRecording(const HoverIndices& hover, bool recording) {
  if (!recording) return false;
  const bool recordSwitch = hover.macro == 5;
  const bool hideOrQuit = hover.strip == 0 || hover.strip == 1;
  const bool emptySpace = hover.strip == kNoItem && hover.macro == kNoItem;
  return !(recordSwitch || hideOrQuit || emptySpace);
}

bool needsLeftClickWarning(const SettingsRecord& record, int button) {
  if (button < 0 || button >= kButtons) return false;
  // The same slot the assignment rule keeps a left click on.
  if (profileSlotIndex(record.currentProfile) != 0) return false;
  const auto& buttons = record.buttonFunction[0];
  for (int b = 0; b < kButtons; ++b) {
    if (b != button && buttons[static_cast<std::size_t>(b)] == kFunctionLeftClick) return false;
  }
  return true;
}

PressOutcome decidePress(const SkinLayout& layout, const PointerInput& input, SettingsRecord& record) {
  PressOutcome out;
  const uint8_t pageBefore = record.currentPage;
  out.endListEdits = pageBefore == kPageMacro;
  if (refusedWhileRecording(input.hover, input.recording)) {
    out.refusedRecording = true;
    return out;
  }
  const HoverIndices& h = input.hover;
  out.buttonHeld = h.strip != kNoItem || h.led != kNoItem || h.advanced != kNoItem || h.macro != kNoItem;
  out.closeOpenPopup = input.popupOpen;

  const SettingsRecord before = record;
  switch (pageBefore) {
    case kPageMain: pressMainPage(layout, input, record, out); break;
    case kPageAdvanced: pressAdvancedPage(layout, input, record, out); break;
    case kPageMacro: pressMacroPage(layout, input, record, out); break;
    case kPageLed: pressLedPage(layout, input, record, out); break;
    default: break;  // no such page: nothing to hit
  }

  SettingsRecord comparable = record;
  comparable.currentPage = before.currentPage;
  out.settingsChanged = !(comparable == before);

  const RepaintArea areaBefore = repaintAreaFor(pageBefore);
  const RepaintArea areaAfter = repaintAreaFor(record.currentPage);
  out.repaint = areaBefore == areaAfter ? areaAfter : RepaintArea::WholeWindow;
  return out;
}

}  // namespace tarvosk
