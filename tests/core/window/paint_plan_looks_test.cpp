// Which looks a repaint copies: the item under the pointer, the state of the settings, the
// lighting page's null pieces and the page strip, in that order.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "paint_plan_test_support.h"

namespace tarvosk {
namespace {

using test::fullLayout;
using test::kItemWidth;
using test::planFor;
using test::PlanQuery;
using test::sampleSettings;

TEST(PaintPlanImages, EachPageNamesItsThreeImagesAndOnlyTheLightingPageTheNullImage) {
  const SkinLayout layout = fullLayout();
  struct Case {
    uint8_t page;
    const char* normal;
    const char* over;
    const char* down;
    bool null;
  };
  for (const Case& c : {Case{0, "main_normal.jpg", "main_over.jpg", "main_down.jpg", false},
                        Case{1, "advanced_normal.jpg", "advanced_over.jpg", "advanced_down.jpg", false},
                        Case{2, "mac_normal.jpg", "mac_over.jpg", "mac_down.jpg", false},
                        Case{3, "led_normal.jpg", "led_over.jpg", "led_down.jpg", true},
                        // A page value the window never sets shows the main page.
                        Case{9, "main_normal.jpg", "main_over.jpg", "main_down.jpg", false}}) {
    const PaintPlan plan = planFor(sampleSettings(c.page), layout);
    EXPECT_EQ(plan.normalImage, c.normal);
    EXPECT_EQ(plan.overImage, c.over);
    EXPECT_EQ(plan.downImage, c.down);
    EXPECT_EQ(plan.needsNullImage, c.null) << int(c.page);
  }
  SettingsRecord noPieces = sampleSettings(3);
  noPieces.ledType = 10;  // a mode without pieces to blank
  EXPECT_FALSE(planFor(noPieces, layout).needsNullImage);
}

struct HoverCase {
  const char* name;
  uint8_t page;
  PaintHover hover;
  bool held;
  PaintTable table;
  int item;
  PaintSource source;
};

std::ostream& operator<<(std::ostream& os, const HoverCase& c) { return os << c.name; }

class PaintPlanHoverLook : public ::testing::TestWithParam<HoverCase> {};

TEST_P(PaintPlanHoverLook, TheFirstCopyIsTheItemUnderThePointer) {
  const HoverCase& c = GetParam();
  SettingsRecord s = sampleSettings(c.page);
  s.dpiLevel = 3;  // keeps advanced 60 out of the state copies
  const PaintPlan plan = planFor(s, fullLayout(), c.hover, c.held);
  ASSERT_FALSE(plan.ops.empty());
  const auto* first = std::get_if<CopyItemOp>(&plan.ops.front());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->table, c.table);
  EXPECT_EQ(first->item, c.item);
  EXPECT_EQ(first->source, c.source);
}

constexpr int kNo = kNoItem;
INSTANTIATE_TEST_SUITE_P(
    Cases, PaintPlanHoverLook,
    ::testing::Values(
        HoverCase{"held_bar_66_keeps_over", 1, {kNo, kNo, 66, kNo}, true, PaintTable::Advanced, 66, PaintSource::Over},
        HoverCase{"held_bar_31_keeps_over", 1, {kNo, kNo, 31, kNo}, true, PaintTable::Advanced, 31, PaintSource::Over},
        HoverCase{
            "held_level_60_shows_down", 1, {kNo, kNo, 60, kNo}, true, PaintTable::Advanced, 60, PaintSource::Down},
        HoverCase{
            "hovered_level_60_shows_over", 1, {kNo, kNo, 60, kNo}, false, PaintTable::Advanced, 60, PaintSource::Over},
        HoverCase{"lighting_page_always_over", 3, {kNo, 45, kNo, kNo}, true, PaintTable::Led, 45, PaintSource::Over},
        HoverCase{"held_macro_item_down", 2, {kNo, kNo, kNo, 3}, true, PaintTable::Macro, 3, PaintSource::Down},
        HoverCase{"held_main_item_down", 0, {14, kNo, kNo, kNo}, true, PaintTable::Main, 14, PaintSource::Down},
        HoverCase{"main_item_over", 0, {20, kNo, kNo, kNo}, false, PaintTable::Main, 20, PaintSource::Over}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PaintPlanHoverLook, NoItemOrAnIndexOutsideTheTableCopiesNothingForTheHover) {
  const SkinLayout layout = fullLayout();
  const SettingsRecord s = sampleSettings(1);
  const PaintPlan none = planFor(s, layout, {kNo, kNo, kNo, kNo});
  for (int hovered : {138, 500, -3}) {
    const PaintPlan plan = planFor(s, layout, {kNo, kNo, hovered, kNo}, true);
    EXPECT_EQ(plan.ops.size(), none.ops.size()) << hovered;
  }
}

TEST(PaintPlanHoverLook, ASelectedItemUnderThePointerEndsDown) {
  SettingsRecord s = sampleSettings(1);
  s.dpiLevel = 0;
  const PaintPlan plan = planFor(s, fullLayout(), {kNo, kNo, 60, kNo});
  const PlanQuery q{plan};
  const auto at = q.copiesOf(PaintTable::Advanced, 60);
  ASSERT_EQ(at.size(), 2u);
  EXPECT_EQ(std::get<CopyItemOp>(plan.ops[at[0]]).source, PaintSource::Over);
  EXPECT_EQ(std::get<CopyItemOp>(plan.ops[at[1]]).source, PaintSource::Down);
}

TEST(PaintPlanAdvancedState, LevelsBarsMarkersAndRateFollowTheSettings) {
  SettingsRecord s = sampleSettings(1);
  s.dpiLevel = 2;
  s.dpiEnabled = {1, 0, 1, 0};
  s.dpiValue = {11, 0, 5, 8};
  s.usbRate = 1;
  const PaintPlan plan = planFor(s, fullLayout(), {kNo, kNo, kNo, kNo});
  const PlanQuery q{plan};
  EXPECT_EQ(q.itemsFrom(PaintTable::Advanced, PaintSource::Down),
            (std::vector<int>{62, 120, 47, 49, 81, 82, 99, 114, 35, 39}));
  // dpiValue 11 fills bar 66 completely; step 0 fills a twelfth.
  EXPECT_EQ(q.bar(PaintTable::Advanced, 66)->rect.width, kItemWidth);
  EXPECT_EQ(q.bar(PaintTable::Advanced, 67)->rect.width, kItemWidth / 12);
  EXPECT_EQ(q.bar(PaintTable::Advanced, 68)->rect.width, kItemWidth * 6 / 12);
  // fireTime 50 fills a sixth of bar 31; speeds 5 and 3 of ten.
  const CopyBarOp fire = *q.bar(PaintTable::Advanced, 31);
  EXPECT_EQ(fire.numerator, 50);
  EXPECT_EQ(fire.denominator, 300);
  EXPECT_EQ(fire.rect, (PaintRect{32, 33, kItemWidth / 6, 20}));
  EXPECT_EQ(q.bar(PaintTable::Advanced, 1)->rect.width, kItemWidth / 2);
  EXPECT_EQ(q.bar(PaintTable::Advanced, 18)->rect.width, kItemWidth * 3 / 10);
}

TEST(PaintPlanAdvancedState, BarWidthMultipliesBeforeDividing) {
  SkinLayout layout = fullLayout();
  layout.advanced[31].width = 181;
  SettingsRecord s = sampleSettings(1);
  s.fireTime = 299;
  const PaintPlan plan = planFor(s, layout);
  EXPECT_EQ(PlanQuery{plan}.bar(PaintTable::Advanced, 31)->rect.width, 181 * 299 / 300);  // 180, not 0
}

TEST(PaintPlanMainState, TheTabOfTheCurrentSlotIsPressed) {
  const SkinLayout layout = fullLayout();
  for (const auto& [profile, tab] : std::vector<std::pair<int32_t, int>>{{0, 11}, {2, 12}, {3, 13}, {1, -1}}) {
    SettingsRecord s = sampleSettings(0);
    s.currentProfile = profile;
    const PaintPlan plan = planFor(s, layout, {kNo, kNo, kNo, kNo});
    std::vector<int> tabs;
    for (int item : PlanQuery{plan}.itemsFrom(PaintTable::Main, PaintSource::Down)) {
      if (item >= 11 && item <= 13) tabs.push_back(item);
    }
    EXPECT_EQ(tabs, tab < 0 ? std::vector<int>{} : std::vector<int>{tab}) << "profile " << profile;
  }
}

TEST(PaintPlanMacroState, RecordAndPlayModePills) {
  const SkinLayout layout = fullLayout();
  struct Case {
    std::optional<int> playMode;
    bool recording;
    std::vector<int> down;
  };
  for (const Case& c : {Case{2, false, {10}}, Case{1, true, {5, 11}}, Case{0, false, {12}}, Case{3, false, {}},
                        Case{6, false, {10}}, Case{std::nullopt, true, {5}}}) {
    const SettingsRecord s = sampleSettings(2);
    PaintInput input(s, layout);
    input.hover = {kNo, kNo, kNo, kNo};
    input.recording = c.recording;
    input.playMode = c.playMode;
    const PaintPlan plan = buildPaintPlan(input);
    EXPECT_EQ(PlanQuery{plan}.itemsFrom(PaintTable::Macro, PaintSource::Down), c.down)
        << c.playMode.value_or(-1) << " recording " << c.recording;
  }
}

TEST(PaintPlanLedState, BarsSwitchesAndDirectionFollowTheSettings) {
  SettingsRecord s = sampleSettings(3);
  s.ledType = 3;  // blanks only the reaction emblem
  s.ledBrightness = 0;
  s.ledCycleTime = 0;
  s.ledSymmetry = 1;
  s.ledDirection = 2;
  s.cycleColorEnable = {1, 0, 0, 1, 0, 1, 1};
  s.currentProfile = 2;
  s.ledReactEnable[2] = {1, 0, 1, 0, 0, 1, 1, 1, 0};
  s.ledReactEnable[0] = {1, 1, 1, 1, 1, 1, 1, 1, 1};  // another slot: not shown
  const PaintPlan plan = planFor(s, fullLayout(), {kNo, kNo, kNo, kNo});
  const PlanQuery q{plan};
  EXPECT_EQ(q.bar(PaintTable::Led, 40)->rect.width, kItemWidth);      // brightness 0: full
  EXPECT_EQ(q.bar(PaintTable::Led, 41)->rect.width, kItemWidth / 6);  // speed 0: a sixth
  // Colour switches 7..13 from all seven flags, reaction switches 51..56 from keys 0..5 and 57
  // from key 7, then the swatches of the enabled colours 0..3.
  EXPECT_EQ(q.itemsFrom(PaintTable::Led, PaintSource::Down),
            (std::vector<int>{45, 49, 7, 10, 12, 13, 51, 53, 56, 57, 0, 3}));
  EXPECT_EQ(q.itemsFrom(PaintTable::Led, PaintSource::Null), (std::vector<int>{71}));
}

TEST(PaintPlanLedState, BrightnessSixFillsOneSeventh) {
  SettingsRecord s = sampleSettings(3);
  s.ledBrightness = 6;
  s.ledCycleTime = 5;
  const PlanQuery q{planFor(s, fullLayout())};
  EXPECT_EQ(q.bar(PaintTable::Led, 40)->rect.width, kItemWidth / 7);
  EXPECT_EQ(q.bar(PaintTable::Led, 41)->rect.width, kItemWidth);
}

TEST(PaintPlanLedState, UserColoursFillTheEnabledSwatches) {
  SettingsRecord s = sampleSettings(3);
  s.ledUserColorEnable = 1;
  s.cycleColorEnable = {1, 0, 1, 0, 0, 0, 0};
  s.ledUserColorRgb = {0x0000FF, 0x00FF00, 0x123456, 0xFFFFFF};
  const PaintPlan plan = planFor(s, fullLayout(), {kNo, kNo, kNo, kNo});
  const PlanQuery q{plan};
  const auto fills = q.all<FillRectOp>();
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].item, 0);
  EXPECT_EQ(fills[0].color, (PaintColor{255, 0, 0}));
  EXPECT_EQ(fills[1].item, 2);
  EXPECT_EQ(fills[1].color, (PaintColor{0x56, 0x34, 0x12}));  // red in the low byte
  EXPECT_EQ(fills[1].rect, (PaintRect{3, 4, kItemWidth, 20}));
  EXPECT_TRUE(q.lastCopy(PaintTable::Led, 14).has_value());
  EXPECT_FALSE(q.lastCopy(PaintTable::Led, 0).has_value());  // no swatch copies next to the fills
}

TEST(PaintPlanLedState, NullPiecesByLightingMode) {
  const SkinLayout layout = fullLayout();
  const std::vector<std::vector<int>> expected = {
      {72, 75, 74, 50, 71}, {74, 72, 50, 71}, {75, 74, 73, 50, 71},     {71}, {50, 71}, {50, 71}, {72, 74, 71, 75},
      {72, 50, 49, 71, 75}, {72, 74},         {75, 74, 73, 72, 50, 71}, {},   {}};
  for (std::size_t type = 0; type < expected.size(); ++type) {
    SettingsRecord s = sampleSettings(3);
    s.ledType = static_cast<uint8_t>(type == 11 ? 255 : type);
    const PaintPlan plan = planFor(s, layout);
    EXPECT_EQ(PlanQuery{plan}.itemsFrom(PaintTable::Led, PaintSource::Null), expected[type]) << "ledType " << type;
  }
}

TEST(PaintPlanLedState, PreviewColourIsFramedWhileColoursCycle) {
  const SkinLayout layout = fullLayout();
  for (const auto& [type, preview, framed] : std::vector<std::tuple<uint8_t, int, int>>{
           {1, 3, 10}, {1, 6, 13}, {1, 0, 7}, {0, 3, -1}, {8, 3, -1}, {1, 7, -1}, {1, -1, -1}}) {
    SettingsRecord s = sampleSettings(3);
    s.ledType = type;
    PaintInput input(s, layout);
    input.previewColor = preview;
    const auto frames = PlanQuery{buildPaintPlan(input)}.all<FrameRectOp>();
    if (framed < 0) {
      EXPECT_TRUE(frames.empty()) << int(type) << "/" << preview;
    } else {
      ASSERT_EQ(frames.size(), 1u) << int(type) << "/" << preview;
      EXPECT_EQ(frames[0].item, framed);
      EXPECT_EQ(frames[0].color, kHoverColor);
    }
  }
}

TEST(PaintPlanStrip, HoverSelectedTabAndLanguageButton) {
  const SkinLayout layout = fullLayout();
  struct Case {
    int32_t language;
    int hover;
    bool held;
    std::vector<int> over;
    std::vector<int> down;
  };
  // Advanced page: tab 7 selected.
  for (const Case& c : {Case{1, 3, false, {3}, {5, 7}}, Case{1, 3, true, {}, {3, 5, 7}},
                        Case{0, kNo, false, {}, {4, 7}}, Case{0, 7, false, {7}, {4}}}) {
    SettingsRecord s = sampleSettings(1);
    s.language = c.language;
    s.dpiLevel = 0;
    const PaintPlan plan = planFor(s, layout, {c.hover, kNo, kNo, kNo}, c.held);
    const PlanQuery q{plan};
    EXPECT_EQ(q.itemsFrom(PaintTable::Main, PaintSource::Over), c.over) << c.language << "/" << c.hover;
    EXPECT_EQ(q.itemsFrom(PaintTable::Main, PaintSource::Down), c.down) << c.language << "/" << c.hover;
  }
}

TEST(PaintPlanOrder, HoverThenStateThenPiecesThenStripThenCaptions) {
  SettingsRecord s = sampleSettings(3);
  s.ledType = 8;
  const PaintPlan plan = planFor(s, fullLayout(), {2, 45, kNo, kNo});
  const PlanQuery q{plan};
  const std::size_t hover = q.copiesOf(PaintTable::Led, 45).front();
  const std::size_t state = q.copiesOf(PaintTable::Led, 7).front();
  const std::size_t piece = q.copiesOf(PaintTable::Led, 72).front();
  const std::size_t strip = q.copiesOf(PaintTable::Main, 2).front();
  EXPECT_LT(hover, state);
  EXPECT_LT(state, piece);
  EXPECT_LT(piece, strip);
  std::size_t firstCaption = plan.ops.size();
  std::size_t lastCopy = 0;
  for (std::size_t i = 0; i < plan.ops.size(); ++i) {
    if (std::holds_alternative<CaptionOp>(plan.ops[i]))
      firstCaption = std::min(firstCaption, i);
    else
      lastCopy = i;
  }
  EXPECT_LT(lastCopy, firstCaption);
}

TEST(PaintPlanMissingItems, ItemsWithoutAreaAreNeitherCopiedNorCaptioned) {
  SkinLayout layout = fullLayout();
  layout.advanced[66] = LayoutItem{};
  layout.advanced[60] = LayoutItem{50, 50, 0, 20, "zero width"};
  layout.advanced[32] = LayoutItem{};
  SettingsRecord s = sampleSettings(1);
  const PaintPlan plan = planFor(s, layout, {kNo, kNo, 60, kNo}, true);
  const PlanQuery q{plan};
  EXPECT_FALSE(q.bar(PaintTable::Advanced, 66).has_value());
  EXPECT_TRUE(q.copiesOf(PaintTable::Advanced, 60).empty());
  EXPECT_FALSE(q.caption(PaintTable::Advanced, 32).has_value());
  EXPECT_FALSE(q.caption(PaintTable::Advanced, 60).has_value());
}

}  // namespace
}  // namespace tarvosk
