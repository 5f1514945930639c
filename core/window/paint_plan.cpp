#include "window/paint_plan.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "settings/settings_rules.h"
#include "window/paint_plan_detail.h"

namespace tarvosk {

namespace {

using paint_detail::drawableItem;
using paint_detail::rectOf;

// Page strip: main items 0..10, shown on every page.
constexpr int kStripLast = 10;
constexpr int kFirstTab = 6;
constexpr int kSecondLanguageButton = 4;
constexpr int kEnglishButton = 5;

// Advanced page.
constexpr int kPointerSpeedBar = 1;
constexpr int kWheelSpeedBar = 18;
constexpr int kFireTimeBar = 31;
constexpr int kUsbRateFirst = 34;
constexpr int kUsbRateDotFirst = 38;
constexpr int kDpiEnableFirst = 47;
constexpr int kDpiLevelFirst = 60;
constexpr int kDpiBarFirst = 66;
constexpr int kDpiMarkerFirst = 70;
constexpr int kDpiLampFirst = 118;
constexpr int kSpeedSteps = 10;
constexpr int kFireTimeMax = 300;

// Macro page.
constexpr int kRecordItem = 5;

// Lighting page.
constexpr int kUserColorSwitch = 14;
constexpr int kBrightnessBar = 40;
constexpr int kSpeedBar = 41;
constexpr int kSymmetrySwitch = 45;
constexpr int kDirectionFirst = 47;
constexpr int kColorSwitchFirst = 7;
constexpr int kReactionSwitchFirst = 51;
constexpr int kBrightnessSteps = 7;
constexpr int kCycleTimeSteps = 6;
constexpr int kLedTypeCycleBreath = 1;

// The reaction switches 51..57 toggle these keys of ledReactEnable.
constexpr std::array<int, 7> kReactionSwitchKeys = {0, 1, 2, 3, 4, 5, 7};

// Pieces of the null image that hide what a lighting mode does not use, by ledType 0..9.
const std::array<std::vector<int>, 10>& nullPiecesByLedType() {
  static const std::array<std::vector<int>, 10> kPieces = {{
      {72, 75, 74, 50, 71},
      {74, 72, 50, 71},
      {75, 74, 73, 50, 71},
      {71},
      {50, 71},
      {50, 71},
      {72, 74, 71, 75},
      {72, 50, 49, 71, 75},
      {72, 74},
      {75, 74, 73, 72, 50, 71},
  }};
  return kPieces;
}

class PlanBuilder {
 public:
  PlanBuilder(const PaintInput& input, PaintPlan& plan) : m_in(input), m_s(input.settings), m_plan(plan) {}

  void copy(PaintTable table, int index, PaintSource source) {
    if (const LayoutItem* item = drawableItem(m_in.layout, table, index)) {
      m_plan.ops.emplace_back(CopyItemOp{table, index, source, rectOf(*item)});
      if (source == PaintSource::Null) m_plan.needsNullImage = true;
    }
  }

  // The left numerator/denominator of a bar from the down look. A value outside its range
  // (a hand-edited file) fills the bar completely or not at all, never past its end.
  void bar(PaintTable table, int index, int64_t numerator, int32_t denominator) {
    const LayoutItem* item = drawableItem(m_in.layout, table, index);
    if (!item || denominator <= 0) return;
    const auto num = static_cast<int32_t>(std::clamp<int64_t>(numerator, 0, denominator));
    PaintRect rect = rectOf(*item);
    rect.width = static_cast<int32_t>(static_cast<int64_t>(item->width) * num / denominator);
    m_plan.ops.emplace_back(CopyBarOp{table, index, num, denominator, rect});
  }

  void fill(PaintTable table, int index, PaintColor color) {
    if (const LayoutItem* item = drawableItem(m_in.layout, table, index))
      m_plan.ops.emplace_back(FillRectOp{table, index, rectOf(*item), color});
  }

  void frame(PaintTable table, int index, PaintColor color) {
    if (const LayoutItem* item = drawableItem(m_in.layout, table, index))
      m_plan.ops.emplace_back(FrameRectOp{table, index, rectOf(*item), color, 2});
  }

  void hoverLook(PaintPage page);
  void mainState();
  void advancedState();
  void macroState();
  void ledState();
  void strip(PaintPage page);

 private:
  const PaintInput& m_in;
  const SettingsRecord& m_s;
  PaintPlan& m_plan;
};

int pageHover(const PaintHover& hover, PaintPage page) {
  switch (page) {
    case PaintPage::Main: return hover.strip;
    case PaintPage::Advanced: return hover.advanced;
    case PaintPage::Macro: return hover.macro;
    case PaintPage::Led: return hover.led;
  }
  return kNoItem;
}

// Bars and sliders follow the pointer while the button is held, so they keep their over look;
// everything else shows pressed.
bool heldKeepsOverLook(PaintPage page, int item) {
  if (page == PaintPage::Led) return true;
  if (page != PaintPage::Advanced) return false;
  return item == kPointerSpeedBar || item == kWheelSpeedBar || item == kFireTimeBar ||
         (item >= kDpiBarFirst && item < kDpiBarFirst + kDpiLevels);
}

void PlanBuilder::hoverLook(PaintPage page) {
  const int hovered = pageHover(m_in.hover, page);
  if (hovered == kNoItem) return;
  const bool down = m_in.buttonHeld && !heldKeepsOverLook(page, hovered);
  copy(paint_detail::pageTable(page), hovered, down ? PaintSource::Down : PaintSource::Over);
}

void PlanBuilder::mainState() {
  // Tabs 1, 2, 3 show slots 0, 2, 3; slot 1 (only the mouse selects it) has no tab.
  switch (profileSlotIndex(m_s.currentProfile)) {
    case 0: copy(PaintTable::Main, 11, PaintSource::Down); break;
    case 2: copy(PaintTable::Main, 12, PaintSource::Down); break;
    case 3: copy(PaintTable::Main, 13, PaintSource::Down); break;
    default: break;
  }
}

void PlanBuilder::advancedState() {
  constexpr PaintTable t = PaintTable::Advanced;
  const int level = dpiLevelIndex(m_s.dpiLevel);
  copy(t, kDpiLevelFirst + level, PaintSource::Down);
  copy(t, kDpiLampFirst + level, PaintSource::Down);
  for (int i = 0; i < kDpiLevels; ++i) {
    // Shown as the mouse takes it: any nonzero flag enables the level.
    if (m_s.dpiEnabled[i] != 0) copy(t, kDpiEnableFirst + i, PaintSource::Down);
  }
  for (int i = 0; i < kDpiLevels; ++i) bar(t, kDpiBarFirst + i, dpiStepIndex(m_s.dpiValue[i]) + 1, kDpiSteps);
  for (int i = 0; i < kDpiLevels; ++i)
    copy(t, kDpiMarkerFirst + kDpiSteps * i + dpiStepIndex(m_s.dpiValue[i]), PaintSource::Down);
  bar(t, kPointerSpeedBar, m_s.pointerSpeed, kSpeedSteps);
  bar(t, kWheelSpeedBar, m_s.wheelSpeed, kSpeedSteps);
  bar(t, kFireTimeBar, m_s.fireTime, kFireTimeMax);
  // A rate outside 0..3 makes the mouse report every 8 ms, as rate 0 does: show that choice.
  const int rate = m_s.usbRate <= 3 ? m_s.usbRate : 0;
  copy(t, kUsbRateFirst + rate, PaintSource::Down);
  copy(t, kUsbRateDotFirst + rate, PaintSource::Down);
}

void PlanBuilder::macroState() {
  constexpr PaintTable t = PaintTable::Macro;
  if (m_in.recording) copy(t, kRecordItem, PaintSource::Down);
  if (!m_in.playMode) return;
  switch (*m_in.playMode & 3) {
    case 2: copy(t, 10, PaintSource::Down); break;
    case 1: copy(t, 11, PaintSource::Down); break;
    case 0: copy(t, 12, PaintSource::Down); break;
    default: break;
  }
}

void PlanBuilder::ledState() {
  constexpr PaintTable t = PaintTable::Led;
  const int slot = profileSlotIndex(m_s.currentProfile);
  bar(t, kBrightnessBar, int64_t{kBrightnessSteps} - m_s.ledBrightness, kBrightnessSteps);
  bar(t, kSpeedBar, int64_t{m_s.ledCycleTime} + 1, kCycleTimeSteps);
  if (m_s.ledSymmetry != 0) copy(t, kSymmetrySwitch, PaintSource::Down);
  if (m_s.ledDirection >= 0 && m_s.ledDirection <= 3) copy(t, kDirectionFirst + m_s.ledDirection, PaintSource::Down);
  // All seven colour switches toggle, so all seven show their state.
  for (int i = 0; i < kCycleColors; ++i) {
    if (m_s.cycleColorEnable[i] != 0) copy(t, kColorSwitchFirst + i, PaintSource::Down);
  }
  for (std::size_t i = 0; i < kReactionSwitchKeys.size(); ++i) {
    if (m_s.ledReactEnable[slot][kReactionSwitchKeys[i]] != 0)
      copy(t, kReactionSwitchFirst + static_cast<int>(i), PaintSource::Down);
  }
  if (m_s.ledUserColorEnable != 0) {
    copy(t, kUserColorSwitch, PaintSource::Down);
    for (int i = 0; i < kUserColors; ++i) {
      if (m_s.cycleColorEnable[i] == 0) continue;
      const uint32_t rgb = m_s.ledUserColorRgb[i];
      fill(t, i,
           PaintColor{static_cast<uint8_t>(rgb & 0xFF), static_cast<uint8_t>((rgb >> 8) & 0xFF),
                      static_cast<uint8_t>((rgb >> 16) & 0xFF)});
    }
  } else {
    for (int i = 0; i < kUserColors; ++i) {
      if (m_s.cycleColorEnable[i] != 0) copy(t, i, PaintSource::Down);
    }
  }
  if (m_s.ledType < nullPiecesByLedType().size()) {
    for (int piece : nullPiecesByLedType()[m_s.ledType]) copy(t, piece, PaintSource::Null);
  }
  // The colour the cycling preview currently shows on the mouse, marked on its switch.
  if (m_s.ledType == kLedTypeCycleBreath && m_in.previewColor >= 0 && m_in.previewColor < kCycleColors)
    frame(t, kColorSwitchFirst + m_in.previewColor, kHoverColor);
}

void PlanBuilder::strip(PaintPage page) {
  const int selectedTab = kFirstTab + static_cast<int>(page);
  const bool english = m_s.language != 0;
  for (int i = 0; i <= kStripLast; ++i) {
    if (i == m_in.hover.strip) {
      copy(PaintTable::Main, i, m_in.buttonHeld ? PaintSource::Down : PaintSource::Over);
    } else if (i == selectedTab || (i == kSecondLanguageButton && !english) || (i == kEnglishButton && english)) {
      copy(PaintTable::Main, i, PaintSource::Down);
    }
  }
}

}  // namespace

PaintPage paintPageOf(uint8_t currentPage) {
  return currentPage >= 1 && currentPage <= 3 ? static_cast<PaintPage>(currentPage) : PaintPage::Main;
}

std::string pageImageName(PaintPage page, std::string_view look) {
  static constexpr std::array<std::string_view, 4> kPrefix = {"main", "advanced", "mac", "led"};
  std::string name(kPrefix[static_cast<std::size_t>(page)]);
  name += '_';
  name += look;
  name += ".jpg";
  return name;
}

PaintPlan buildPaintPlan(const PaintInput& input) {
  PaintPlan plan;
  const PaintPage page = paintPageOf(input.settings.currentPage);
  plan.page = page;
  plan.normalImage = pageImageName(page, "normal");
  plan.overImage = pageImageName(page, "over");
  plan.downImage = pageImageName(page, "down");

  PlanBuilder builder(input, plan);
  builder.hoverLook(page);
  switch (page) {
    case PaintPage::Main: builder.mainState(); break;
    case PaintPage::Advanced: builder.advancedState(); break;
    case PaintPage::Macro: builder.macroState(); break;
    case PaintPage::Led: builder.ledState(); break;
  }
  builder.strip(page);
  paint_detail::appendCaptions(input, page, plan);
  return plan;
}

}  // namespace tarvosk
