// The captions of a repaint, where a measured caption lands, and plans for records that a
// hand-edited file or the mouse made hostile.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "paint_plan_test_support.h"

namespace tarvosk {
namespace {

using test::fullLayout;
using test::kItemWidth;
using test::planFor;
using test::PlanQuery;
using test::sampleSettings;

constexpr int kNo = kNoItem;

TEST(PaintPlanCaptions, ButtonCaptionsNameTheAssignedFunctions) {
  const SkinLayout layout = fullLayout();
  SettingsRecord s = sampleSettings(0);
  s.currentProfile = 2;
  s.buttonFunction[2] = {1, 20, 33, 50, 300, 0};
  std::vector<std::pair<int, int>> asked;
  PaintInput input(s, layout);
  input.hover = {22, kNo, kNo, kNo};
  input.userMacroName = [&](int group, int index) {
    asked.emplace_back(group, index);
    return std::string("Sniper");
  };
  const PaintPlan plan = buildPaintPlan(input);
  const PlanQuery q{plan};
  EXPECT_EQ(q.caption(PaintTable::Main, 20)->text, "F1");
  EXPECT_EQ(q.caption(PaintTable::Main, 21)->text, "Play");  // a profile switch names its profile
  EXPECT_EQ(q.caption(PaintTable::Main, 22)->text, "F33");
  EXPECT_EQ(q.caption(PaintTable::Main, 23)->text, "Lock");    // built-in macro 18
  EXPECT_EQ(q.caption(PaintTable::Main, 24)->text, "Sniper");  // user macro 44 of group 0
  EXPECT_FALSE(q.caption(PaintTable::Main, 25).has_value());   // nothing assigned
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{0, 44}}));
  // The hovered button's caption takes the hover colour.
  EXPECT_EQ(q.caption(PaintTable::Main, 22)->color, kHoverColor);
  EXPECT_EQ(q.caption(PaintTable::Main, 21)->color, kCaptionColor);
}

TEST(PaintPlanCaptions, ButtonFunctionCaptionCodes) {
  const SkinLayout layout = fullLayout();
  SettingsRecord s = sampleSettings(0);
  s.profileName = {"Work", "", "Race"};
  const auto name = [](int group, int index) { return "g" + std::to_string(group) + "m" + std::to_string(index); };
  struct Case {
    int32_t code;
    const char* text;
  };
  for (const Case& c : {Case{0, ""}, Case{-7, ""}, Case{18, "F18"}, Case{19, "Work"}, Case{20, "F20"}, Case{21, "Race"},
                        Case{47, "F47"}, Case{52, "Burst x2"}, Case{53, ""}, Case{255, ""}, Case{256, "g0m0"},
                        Case{3 * 256 + 7, "g2m7"}}) {
    EXPECT_EQ(buttonFunctionCaption(s, layout, c.code, name), c.text) << c.code;
  }
  EXPECT_EQ(buttonFunctionCaption(s, layout, 300, UserMacroNameFn{}), "");
}

TEST(PaintPlanCaptions, StripCaptionsSelectedTabLargeInHoverColour) {
  SettingsRecord s = sampleSettings(2);
  const PaintPlan plan = planFor(s, fullLayout(), {3, kNo, kNo, kNo});
  const PlanQuery q{plan};
  const CaptionOp tab = *q.caption(PaintTable::Main, 8);
  EXPECT_EQ(tab.font, CaptionFont::Large);
  EXPECT_EQ(tab.color, kHoverColor);
  EXPECT_EQ(q.caption(PaintTable::Main, 3)->color, kHoverColor);
  EXPECT_EQ(q.caption(PaintTable::Main, 4)->color, kCaptionColor);
  EXPECT_EQ(q.caption(PaintTable::Main, 4)->font, CaptionFont::Normal);
  // Off the main page only the strip's first ten captions are drawn.
  EXPECT_FALSE(q.caption(PaintTable::Main, 10).has_value());
  const PaintPlan main = planFor(sampleSettings(0), fullLayout());
  EXPECT_TRUE(PlanQuery{main}.caption(PaintTable::Main, 10).has_value());
  EXPECT_TRUE(PlanQuery{main}.caption(PaintTable::Main, 28).has_value());
}

TEST(PaintPlanCaptions, AdvancedValuesAndLabels) {
  SettingsRecord s = sampleSettings(1);
  s.pointerSpeed = 7;
  s.wheelSpeed = 10;
  s.fireTime = 50;
  const PaintPlan plan = planFor(s, fullLayout());
  const PlanQuery q{plan};
  EXPECT_EQ(q.caption(PaintTable::Advanced, 2)->text, "7");
  EXPECT_EQ(q.caption(PaintTable::Advanced, 19)->text, "10");
  EXPECT_EQ(q.caption(PaintTable::Advanced, 32)->text, "50ms");
  for (int label : {0, 17, 30, 33}) EXPECT_EQ(q.caption(PaintTable::Advanced, label)->align, CaptionAlign::LeftInset5);
  // Extra headings are drawn like every other caption of the table.
  const CaptionOp heading = *q.caption(PaintTable::Advanced, 3);
  EXPECT_EQ(heading.text, "A3");
  EXPECT_EQ(heading.align, CaptionAlign::Centred);
  EXPECT_EQ(heading.color, kCaptionColor);
  EXPECT_EQ(q.caption(PaintTable::Advanced, 137)->text, "A137");
}

TEST(PaintPlanCaptions, RecordItemAndMacroPageFonts) {
  const SkinLayout layout = fullLayout();
  for (const auto& [language, recording, text] : std::vector<std::tuple<int32_t, bool, std::string>>{
           {1, false, "Record"}, {0, false, "Gravação "}, {1, true, "Stop"}, {0, true, "Parar"}}) {
    SettingsRecord s = sampleSettings(2);
    s.language = language;
    PaintInput input(s, layout);
    input.recording = recording;
    const PaintPlan plan = buildPaintPlan(input);
    const PlanQuery q{plan};
    const CaptionOp record = *q.caption(PaintTable::Macro, 5);
    EXPECT_EQ(record.text, text);
    EXPECT_EQ(record.color, kHoverColor);
    EXPECT_EQ(record.font, CaptionFont::Large);
    EXPECT_EQ(record.align, CaptionAlign::CentredLeft3);
    for (int k : {14, 15, 16}) {
      EXPECT_EQ(q.caption(PaintTable::Macro, k)->font, CaptionFont::Normal);
      EXPECT_EQ(q.caption(PaintTable::Macro, k)->align, CaptionAlign::LeftInset2);
    }
    for (int k : {17, 18, 10}) {
      EXPECT_EQ(q.caption(PaintTable::Macro, k)->font, CaptionFont::Large);
      EXPECT_EQ(q.caption(PaintTable::Macro, k)->align, CaptionAlign::Centred);
    }
  }
}

TEST(PaintPlanCaptions, LightingModeNameAndReactionKinds) {
  const SkinLayout layout = fullLayout();
  SettingsRecord s = sampleSettings(3);
  s.ledType = 8;
  s.currentProfile = 3;
  s.ledReactType[3] = {1, 2, 0, 3, 0, 1, 0, 0, 0};
  const PlanQuery english{planFor(s, layout)};
  EXPECT_EQ(english.caption(PaintTable::Led, 35)->text, "Button response");
  EXPECT_EQ(english.caption(PaintTable::Led, 61)->text, "L61");
  EXPECT_EQ(english.caption(PaintTable::Led, 63)->text, "Cycle breath");
  EXPECT_EQ(english.caption(PaintTable::Led, 65)->text, "Cycle breath");
  EXPECT_EQ(english.caption(PaintTable::Led, 66)->text, "L66");
  s.language = 0;
  const PlanQuery second{planFor(s, layout)};
  EXPECT_EQ(second.caption(PaintTable::Led, 63)->text, "Ciclo breath");
  EXPECT_EQ(second.caption(PaintTable::Led, 35)->text, "Resposta do Botão");
  s.ledType = 9;
  EXPECT_EQ(PlanQuery{planFor(s, layout)}.caption(PaintTable::Led, 35)->text, "Mudo ");
  EXPECT_EQ(PlanQuery{planFor(s, layout)}.caption(PaintTable::Led, 63)->text, "L63");
  s.ledType = 5;
  EXPECT_EQ(PlanQuery{planFor(s, layout)}.caption(PaintTable::Led, 35)->text, "L35");
  const CaptionOp bar = *PlanQuery{planFor(s, layout)}.caption(PaintTable::Led, 40);
  EXPECT_EQ(bar.align, CaptionAlign::CentredInWidthLess30);
}

TEST(PaintPlanCaptions, CaptionsEmptiedByLightingMode) {
  const SkinLayout layout = fullLayout();
  const std::vector<int> watched = {15, 30, 31, 32, 33, 34, 38, 39, 98};
  const std::vector<std::vector<int>> emptied = {{15, 30, 31, 32, 33, 34, 38, 98},
                                                 {30, 31, 32, 33, 34, 38, 98},
                                                 {15, 30, 31, 32, 33, 34, 39, 98},
                                                 {},
                                                 {34, 98},
                                                 {34, 98},
                                                 {15, 30, 31, 32, 33, 34, 38, 98},
                                                 {15, 33, 34, 38, 98},
                                                 {30, 31, 32, 33, 34, 38, 98},
                                                 {15, 30, 31, 32, 33, 34, 38, 39, 98},
                                                 {98}};
  for (std::size_t type = 0; type < emptied.size(); ++type) {
    SettingsRecord s = sampleSettings(3);
    s.ledType = static_cast<uint8_t>(type);
    const PlanQuery q{planFor(s, layout)};
    std::vector<int> missing;
    for (int item : watched) {
      if (!q.caption(PaintTable::Led, item)) missing.push_back(item);
    }
    EXPECT_EQ(missing, emptied[type]) << "ledType " << type;
  }
}

TEST(CaptionPosition, AlignmentsOfAMeasuredText) {
  const PaintRect r{100, 50, 120, 21};
  struct Case {
    CaptionAlign align;
    int32_t w;
    int32_t h;
    CaptionPlacement want;
  };
  for (const Case& c : {Case{CaptionAlign::Centred, 40, 10, {140, 55, true}},
                        Case{CaptionAlign::Centred, 41, 11, {139, 55, true}},  // truncating halves
                        Case{CaptionAlign::LeftInset5, 40, 10, {105, 55, true}},
                        Case{CaptionAlign::LeftInset2, 400, 10, {102, 55, true}},
                        Case{CaptionAlign::CentredLeft3, 40, 10, {137, 55, true}},
                        Case{CaptionAlign::CentredInWidthLess30, 40, 10, {125, 55, true}},
                        // A text wider than its item starts left of it (the halving truncates toward zero).
                        Case{CaptionAlign::Centred, 125, 30, {98, 46, true}}}) {
    EXPECT_EQ(captionPosition(r, c.align, c.w, c.h), c.want) << static_cast<int>(c.align) << " " << c.w;
  }
}

TEST(CaptionPosition, OnlyItemsWithAreaAreDrawn) {
  EXPECT_FALSE(captionPosition({0, 0, 0, 0}, CaptionAlign::Centred, 10, 10).draw);
  EXPECT_FALSE(captionPosition({40, 40, 0, 20}, CaptionAlign::Centred, 10, 10).draw);
  // An item at the window's corner still shows a caption wider than itself.
  const CaptionPlacement corner = captionPosition({0, 0, 20, 10}, CaptionAlign::Centred, 30, 12);
  EXPECT_TRUE(corner.draw);
  EXPECT_EQ(corner.x, -5);
  EXPECT_EQ(corner.y, -1);
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const CaptionPlacement huge = captionPosition({kMax, kMax, kMax, kMax}, CaptionAlign::Centred, 0, 0);
  EXPECT_EQ(huge.x, kMax);
  EXPECT_EQ(huge.y, kMax);
}

// Every operation stays inside the item it names, and the item inside its table.
void expectOpsInsideTheirItems(const PaintPlan& plan, const SkinLayout& layout, const std::string& what) {
  auto inside = [&](PaintTable table, int item, const PaintRect& rect) {
    const LayoutItem& it = test::layoutItem(layout, table, item);  // throws past the table
    EXPECT_EQ(rect.x, it.x) << what << " item " << item;
    EXPECT_EQ(rect.y, it.y) << what << " item " << item;
    EXPECT_GE(rect.width, 0) << what << " item " << item;
    EXPECT_LE(rect.width, it.width) << what << " item " << item;
    EXPECT_EQ(rect.height, it.height) << what << " item " << item;
  };
  for (const PaintOp& op : plan.ops) {
    std::visit(
        [&](const auto& o) {
          if constexpr (std::is_same_v<std::decay_t<decltype(o)>, CaptionOp>)
            inside(o.table, o.item, o.anchor);
          else
            inside(o.table, o.item, o.rect);
        },
        op);
  }
}

struct HostileCase {
  const char* name;
  std::function<void(SettingsRecord&)> edit;
};

TEST(PaintPlanHostileValues, EveryIndexStaysInItsTableAndEveryBarInItsItem) {
  const SkinLayout layout = fullLayout();
  const std::vector<HostileCase> cases = {
      {"dpi_value_200",
       [](SettingsRecord& s) {
         s.dpiValue = {200, 12, 255, 11};
       }},
      {"dpi_level_7", [](SettingsRecord& s) { s.dpiLevel = 7; }},
      {"dpi_level_negative", [](SettingsRecord& s) { s.dpiLevel = -1; }},
      {"usb_rate_9", [](SettingsRecord& s) { s.usbRate = 9; }},
      {"profile_9", [](SettingsRecord& s) { s.currentProfile = 9; }},
      {"profile_negative", [](SettingsRecord& s) { s.currentProfile = -2; }},
      {"direction_6", [](SettingsRecord& s) { s.ledDirection = 6; }},
      {"direction_negative", [](SettingsRecord& s) { s.ledDirection = -1; }},
      {"led_type_200", [](SettingsRecord& s) { s.ledType = 200; }},
      {"fire_time_huge", [](SettingsRecord& s) { s.fireTime = std::numeric_limits<int32_t>::max(); }},
      {"fire_time_negative", [](SettingsRecord& s) { s.fireTime = std::numeric_limits<int32_t>::min(); }},
      {"speeds_255", [](SettingsRecord& s) { s.pointerSpeed = s.wheelSpeed = s.ledCycleTime = 255; }},
      {"brightness_negative", [](SettingsRecord& s) { s.ledBrightness = std::numeric_limits<int32_t>::min(); }},
      {"brightness_large", [](SettingsRecord& s) { s.ledBrightness = std::numeric_limits<int32_t>::max(); }},
      {"button_codes", [](SettingsRecord& s) { s.buttonFunction[0] = {-1, 48, 255, 0x7FFFFFFF, 256, 1 << 20}; }},
  };
  for (const HostileCase& c : cases) {
    for (uint8_t page = 0; page < 4; ++page) {
      SettingsRecord s = sampleSettings(page);
      c.edit(s);
      PaintInput input(s, layout);
      input.hover = {400, -1, 1000, 20};
      input.buttonHeld = true;
      input.userMacroName = [](int, int) { return std::string(); };
      input.previewColor = 99;
      expectOpsInsideTheirItems(buildPaintPlan(input), layout, std::string(c.name) + " page " + std::to_string(page));
    }
  }
}

TEST(PaintPlanHostileValues, OutOfRangeValuesShowTheirNearestMeaning) {
  const SkinLayout layout = fullLayout();
  SettingsRecord s = sampleSettings(1);
  s.dpiValue = {200, 0, 0, 0};
  s.dpiLevel = 7;
  s.usbRate = 9;
  s.fireTime = 5000;
  s.pointerSpeed = 0;
  const PlanQuery q{planFor(s, layout, {kNo, kNo, kNo, kNo})};
  EXPECT_EQ(q.bar(PaintTable::Advanced, 66)->rect.width, kItemWidth);  // the top step
  EXPECT_FALSE(q.copiesOf(PaintTable::Advanced, 81).empty());
  EXPECT_FALSE(q.copiesOf(PaintTable::Advanced, 60).empty());  // an unknown level shows level 1
  EXPECT_FALSE(q.copiesOf(PaintTable::Advanced, 34).empty());  // the rate the mouse then uses
  EXPECT_EQ(q.bar(PaintTable::Advanced, 31)->rect.width, kItemWidth);
  EXPECT_EQ(q.caption(PaintTable::Advanced, 32)->text, "5000ms");  // the stored value, as it is
  EXPECT_EQ(q.bar(PaintTable::Advanced, 1)->rect.width, 0);

  SettingsRecord led = sampleSettings(3);
  led.ledBrightness = 12;
  led.ledDirection = 5;
  const PlanQuery l{planFor(led, layout, {kNo, kNo, kNo, kNo})};
  EXPECT_EQ(l.bar(PaintTable::Led, 40)->rect.width, 0);
  for (int d = 47; d <= 50; ++d) {
    for (std::size_t at : l.copiesOf(PaintTable::Led, d))
      EXPECT_NE(std::get<CopyItemOp>(l.plan.ops[at]).source, PaintSource::Down) << d;
  }
}

}  // namespace
}  // namespace tarvosk
