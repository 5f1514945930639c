// The rows of the advanced, lighting and macro pages: which item changes which field, by which
// rule, and which items do nothing. Each row compares the whole record, so a press that touches
// a field it should not is caught as well.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <vector>

#include "settings/settings_rules.h"
#include "window/pointer_handling.h"
#include "window_test_layout.h"

namespace tarvosk {
namespace {

using test::centreOf;
using test::inputAt;
using test::pointIn;

SettingsRecord startRecord() {
  SettingsRecord r = test::factoryRecord();
  r.ledDirection = 1;
  return r;
}

using Edit = std::function<void(SettingsRecord&)>;
const Edit kNothing = [](SettingsRecord&) {};

struct RowCase {
  const char* name;
  int item;
  int32_t dx;  // click this far right of the item's left edge; -1: the item's centre
  Edit setup;
  Edit change;  // what the press must change; kNothing: the record stays as it was
};

template <std::size_t N>
void runRows(uint8_t page, const SkinLayout& layout, const std::array<LayoutItem, N>& table,
             const std::vector<RowCase>& cases) {
  for (const RowCase& c : cases) {
    const LayoutItem& item = table[static_cast<std::size_t>(c.item)];
    const test::Point p = c.dx < 0 ? centreOf(item) : pointIn(item, c.dx);
    SettingsRecord record = startRecord();
    record.currentPage = page;
    c.setup(record);
    const SettingsRecord start = record;
    SettingsRecord expected = record;
    c.change(expected);
    const PressOutcome out = decidePress(layout, inputAt(layout, page, p), record);
    EXPECT_EQ(record, expected) << c.name;
    EXPECT_EQ(out.settingsChanged, !(expected == start)) << c.name;
    EXPECT_FALSE(out.windowDrag) << c.name;
    EXPECT_FALSE(out.pageChanged) << c.name;
    EXPECT_TRUE(out.buttonHeld) << c.name;
  }
}

TEST(AdvancedPagePress, EveryRowAppliesItsRule) {
  const SkinLayout layout = test::windowTestLayout();
  const std::vector<RowCase> cases = {
      {"enable switch of level 3 off", 49, -1, kNothing, [](SettingsRecord& r) { r.dpiEnabled[2] = 0; }},
      {"enable switch of level 1 on", 47, -1, [](SettingsRecord& r) { r.dpiEnabled[0] = 0; },
       [](SettingsRecord& r) { r.dpiEnabled[0] = 1; }},
      {"switching off the active level hands over to the next enabled one", 48, -1,
       [](SettingsRecord& r) {
         r.dpiEnabled = {1, 1, 0, 0};
       },
       [](SettingsRecord& r) {
         r.dpiEnabled[1] = 0;
         r.dpiLevel = 0;
       }},
      {"the last enabled level stays on", 48, -1,
       [](SettingsRecord& r) {
         r.dpiEnabled = {0, 1, 0, 0};
       },
       kNothing},
      {"select level 4", 63, -1, kNothing, [](SettingsRecord& r) { r.dpiLevel = 3; }},
      {"select a disabled level", 62, -1, [](SettingsRecord& r) { r.dpiEnabled[2] = 0; }, kNothing},
      {"enable item of level 5 does nothing", 51, -1, kNothing, kNothing},
      {"enable item of level 6 does nothing", 52, -1, kNothing, kNothing},
      {"select item of level 5 does nothing", 64, -1, kNothing, kNothing},
      {"select item of level 6 does nothing", 65, -1, kNothing, kNothing},
      {"DPI bar at 264 gives step 10", 66, 264, kNothing, [](SettingsRecord& r) { r.dpiValue[0] = 10; }},
      {"DPI bar at 265 gives step 11", 67, 265, kNothing, [](SettingsRecord& r) { r.dpiValue[1] = 11; }},
      {"DPI bar left end", 69, 0, kNothing, [](SettingsRecord& r) { r.dpiValue[3] = 0; }},
      {"first marker of level 1", 70, -1, kNothing, [](SettingsRecord& r) { r.dpiValue[0] = 0; }},
      {"last marker of level 1", 81, -1, kNothing, [](SettingsRecord& r) { r.dpiValue[0] = 11; }},
      {"first marker of level 2", 82, -1, kNothing, [](SettingsRecord& r) { r.dpiValue[1] = 0; }},
      {"last marker of level 3", 105, -1, kNothing, [](SettingsRecord& r) { r.dpiValue[2] = 11; }},
      {"eighth marker of level 4", 113, -1, kNothing, [](SettingsRecord& r) { r.dpiValue[3] = 7; }},
      {"pointer speed, leftmost pixel", 1, 0, kNothing, [](SettingsRecord& r) { r.pointerSpeed = 1; }},
      {"pointer speed, right end", 1, 179, kNothing, [](SettingsRecord& r) { r.pointerSpeed = 10; }},
      {"wheel speed, corrected ninth", 18, 160, kNothing, [](SettingsRecord& r) { r.wheelSpeed = 10; }},
      {"wheel speed, middle", 18, 90, kNothing, [](SettingsRecord& r) { r.wheelSpeed = 6; }},
      {"fire time, right end", 31, 179, kNothing, [](SettingsRecord& r) { r.fireTime = 300; }},
      {"fire time, middle", 31, 90, kNothing, [](SettingsRecord& r) { r.fireTime = 150; }},
      {"rate pill 500 Hz", 36, -1, kNothing, [](SettingsRecord& r) { setUsbRate(r, 2); }},
      {"rate dot 500 Hz", 40, -1, kNothing, [](SettingsRecord& r) { setUsbRate(r, 2); }},
      {"rate pill 125 Hz", 34, -1, kNothing,
       [](SettingsRecord& r) {
         r.usbRate = 0;
         r.usbRateCode = 7;
         r.usbIntervalMs = 8;
       }},
      {"rate dot 1000 Hz from 125 Hz", 41, -1, [](SettingsRecord& r) { setUsbRate(r, 0); },
       [](SettingsRecord& r) {
         r.usbRate = 3;
         r.usbRateCode = 0;
         r.usbIntervalMs = 1;
       }},
      {"a label does nothing", 0, -1, kNothing, kNothing},
  };
  runRows(1, layout, layout.advanced, cases);
}

TEST(LightingPagePress, EveryRowAppliesItsRule) {
  const SkinLayout layout = test::windowTestLayout();
  auto type = [](uint8_t t) { return Edit([t](SettingsRecord& r) { r.ledType = t; }); };
  const std::vector<RowCase> cases = {
      {"cycle colour 1 off", 7, -1, kNothing, [](SettingsRecord& r) { r.cycleColorEnable[0] = 0; }},
      {"cycle colour 7 off", 13, -1, kNothing, [](SettingsRecord& r) { r.cycleColorEnable[6] = 0; }},
      {"the last of colours 1..4 stays on", 9, -1,
       [](SettingsRecord& r) { r.cycleColorEnable = {0, 0, 1, 0, 1, 1, 1}; }, kNothing},
      {"user colours on", 14, -1, kNothing, [](SettingsRecord& r) { r.ledUserColorEnable = 1; }},
      {"user colours off from any nonzero value", 14, -1, [](SettingsRecord& r) { r.ledUserColorEnable = 5; },
       [](SettingsRecord& r) { r.ledUserColorEnable = 0; }},
      {"brightness left end while constant", 40, 0, type(2), [](SettingsRecord& r) { r.ledBrightness = 6; }},
      {"brightness right end in button response", 40, 371, type(8), [](SettingsRecord& r) { r.ledBrightness = 0; }},
      {"brightness in mode 3", 40, 100, type(3), [](SettingsRecord& r) { r.ledBrightness = 5; }},
      {"brightness in modes 4 and 5", 40, 371, type(5), [](SettingsRecord& r) { r.ledBrightness = 0; }},
      {"brightness inert while off", 40, 0, type(9), kNothing},
      {"brightness inert in cycle breath", 40, 0, type(1), kNothing},
      {"brightness inert in DPI breath", 40, 0, type(0), kNothing},
      {"speed right end in cycle breath", 41, 371, type(1), [](SettingsRecord& r) { r.ledCycleTime = 5; }},
      {"speed left end in DPI breath", 41, 0, type(0), [](SettingsRecord& r) { r.ledCycleTime = 0; }},
      {"speed inert while constant", 41, 371, type(2), kNothing},
      {"speed inert while off", 41, 371, type(9), kNothing},
      {"symmetry on", 45, -1, kNothing, [](SettingsRecord& r) { r.ledSymmetry = 1; }},
      {"symmetry off", 45, -1, [](SettingsRecord& r) { r.ledSymmetry = 1; },
       [](SettingsRecord& r) { r.ledSymmetry = 0; }},
      {"direction 0", 47, -1, kNothing, [](SettingsRecord& r) { r.ledDirection = 0; }},
      {"direction 2", 49, -1, kNothing, [](SettingsRecord& r) { r.ledDirection = 2; }},
      {"direction 3 only in mode 3", 50, -1, type(3), [](SettingsRecord& r) { r.ledDirection = 3; }},
      {"direction 3 ignored in DPI breath", 50, -1, type(0), kNothing},
      {"reaction of key 0 on slot 0", 51, -1, kNothing, [](SettingsRecord& r) { r.ledReactEnable[0][0] = 1; }},
      {"reaction of key 5 on slot 2", 56, -1, [](SettingsRecord& r) { r.currentProfile = 2; },
       [](SettingsRecord& r) { r.ledReactEnable[2][5] = 1; }},
      {"the seventh switch is key 7", 57, -1, [](SettingsRecord& r) { r.currentProfile = 3; },
       [](SettingsRecord& r) { r.ledReactEnable[3][7] = 1; }},
      {"reaction off again", 53, -1, [](SettingsRecord& r) { r.ledReactEnable[0][2] = 1; },
       [](SettingsRecord& r) { r.ledReactEnable[0][2] = 0; }},
      {"an out-of-range profile toggles slot 0", 52, -1, [](SettingsRecord& r) { r.currentProfile = 9; },
       [](SettingsRecord& r) { r.ledReactEnable[0][1] = 1; }},
  };
  runRows(3, layout, layout.led, cases);
}

TEST(LightingPagePress, ItemsWithoutActionChangeNothing) {
  SkinLayout layout = test::windowTestLayout();
  for (int item : {0, 3, 6, 15, 20, 34, 36, 39, 42, 44, 46, 58, 66, 70}) {
    test::place(layout.led[static_cast<std::size_t>(item)], 300, 10, 30, 30);
    SettingsRecord record = startRecord();
    record.currentPage = 3;
    const SettingsRecord before = record;
    const PressOutcome out = decidePress(layout, inputAt(layout, 3, {310, 20}), record);
    EXPECT_EQ(record, before) << "item " << item;
    EXPECT_FALSE(out.popup.has_value()) << "item " << item;
    EXPECT_FALSE(out.windowDrag) << "item " << item;
    test::place(layout.led[static_cast<std::size_t>(item)], 0, 0, 0, 0);
  }
}

TEST(MacroPagePress, EveryRowDecidesItsOperation) {
  const SkinLayout layout = test::windowTestLayout();
  struct Case {
    const char* name;
    HoverIndices hover;
    int groups;
    int macros;
    bool recording;
    MacroPageAction action;
    int playMode;
    std::optional<PopupRequest> popup;
  };
  const auto none = MacroPageAction::None;
  const HoverIndices m1{kNoItem, kNoItem, kNoItem, 1};
  const Case cases[] = {
      {"group menu below the group name field", m1, 2, 0, false, none, 0,
       PopupRequest{PopupKind::MacroGroups, 43, 178, 161}},
      {"group menu without groups opens nothing", m1, 0, 0, false, none, 0, std::nullopt},
      {"new group", {kNoItem, kNoItem, kNoItem, 2}, 0, 0, false, MacroPageAction::NewGroup, 0, std::nullopt},
      {"delete group", {kNoItem, kNoItem, kNoItem, 3}, 1, 0, false, MacroPageAction::DeleteGroup, 0, std::nullopt},
      {"group file menu below its item",
       {kNoItem, kNoItem, kNoItem, 4},
       1,
       0,
       false,
       none,
       0,
       PopupRequest{PopupKind::MacroFileMenu, 44, 258, 238}},
      {"record with macros",
       {kNoItem, kNoItem, kNoItem, 5},
       1,
       2,
       false,
       MacroPageAction::ToggleRecording,
       0,
       std::nullopt},
      {"record with an empty list", {kNoItem, kNoItem, kNoItem, 5}, 1, 0, false, none, 0, std::nullopt},
      {"stop recording always works",
       {kNoItem, kNoItem, kNoItem, 5},
       1,
       0,
       true,
       MacroPageAction::ToggleRecording,
       0,
       std::nullopt},
      {"new macro", {kNoItem, kNoItem, kNoItem, 6}, 1, 0, false, MacroPageAction::NewMacro, 0, std::nullopt},
      {"delete macro", {kNoItem, kNoItem, kNoItem, 7}, 1, 2, false, MacroPageAction::DeleteMacro, 0, std::nullopt},
      {"delete macro with an empty list", {kNoItem, kNoItem, kNoItem, 7}, 1, 0, false, none, 0, std::nullopt},
      // The hide item lets the press through a recording; the delete item under it still must not act.
      {"delete macro while recording", {0, kNoItem, kNoItem, 7}, 1, 2, true, none, 0, std::nullopt},
      {"play while held", {kNoItem, kNoItem, kNoItem, 10}, 1, 1, false, MacroPageAction::SetPlayMode, 2, std::nullopt},
      {"play once", {kNoItem, kNoItem, kNoItem, 11}, 1, 1, false, MacroPageAction::SetPlayMode, 1, std::nullopt},
      {"repeat", {kNoItem, kNoItem, kNoItem, 12}, 1, 1, false, MacroPageAction::SetPlayMode, 0, std::nullopt},
      {"play mode without a macro", {kNoItem, kNoItem, kNoItem, 12}, 1, 0, false, none, 0, std::nullopt},
      {"a label", {kNoItem, kNoItem, kNoItem, 14}, 1, 1, false, none, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SettingsRecord record = startRecord();
    record.currentPage = 2;
    const SettingsRecord before = record;
    PointerInput in;
    in.hover = c.hover;
    in.macroGroupCount = c.groups;
    in.macroListCount = c.macros;
    in.recording = c.recording;
    const PressOutcome out = decidePress(layout, in, record);
    EXPECT_FALSE(out.refusedRecording) << c.name;
    EXPECT_EQ(out.macroAction, c.action) << c.name;
    if (c.action == MacroPageAction::SetPlayMode) {
      EXPECT_EQ(out.playMode, c.playMode) << c.name;
    }
    EXPECT_EQ(out.popup, c.popup) << c.name;
    EXPECT_EQ(record, before) << c.name;
    EXPECT_FALSE(out.settingsChanged) << c.name;
    EXPECT_TRUE(out.endListEdits) << c.name;
    EXPECT_EQ(out.repaint, RepaintArea::MacroPageRegion) << c.name;
  }
}

TEST(HandEditedLayout, ABarWithoutWidthDoesNothing) {
  SkinLayout layout = test::windowTestLayout();
  layout.advanced[66].width = 0;
  layout.led[40].width = -5;
  SettingsRecord record = startRecord();
  const SettingsRecord before = record;
  PointerInput in;
  in.hover = {kNoItem, kNoItem, 66, kNoItem};
  in.clickX = 300;
  record.currentPage = 1;
  decidePress(layout, in, record);
  in.hover = {kNoItem, 40, kNoItem, kNoItem};
  record.currentPage = 3;
  record.ledType = 2;
  decidePress(layout, in, record);
  record.currentPage = before.currentPage;
  record.ledType = before.ledType;
  EXPECT_EQ(record, before);
}

TEST(HandEditedLayout, AClickOutsideTheHoveredBarCountsAsItsNearestEnd) {
  // The hover comes from the last move; a press elsewhere must not wrap into a huge offset.
  const SkinLayout layout = test::windowTestLayout();
  SettingsRecord record = startRecord();
  record.currentPage = 1;
  PointerInput in;
  in.hover = {kNoItem, kNoItem, 66, kNoItem};
  in.clickX = layout.advanced[66].x - 40;
  decidePress(layout, in, record);
  EXPECT_EQ(record.dpiValue[0], 0);
  in.clickX = layout.advanced[66].x + 5000;
  decidePress(layout, in, record);
  EXPECT_EQ(record.dpiValue[0], 11);
}

TEST(HandEditedLayout, PopupPositionsSaturateInsteadOfWrapping) {
  SkinLayout layout = test::windowTestLayout();
  test::place(layout.main[20], INT32_MAX - 10, INT32_MAX - 5, INT32_MAX, 100);
  SettingsRecord record = startRecord();
  PointerInput in;
  in.hover = {20, kNoItem, kNoItem, kNoItem};
  const PressOutcome out = decidePress(layout, in, record);
  ASSERT_TRUE(out.popup.has_value());
  EXPECT_EQ(out.popup->x, INT32_MAX - 9);
  EXPECT_EQ(out.popup->y, INT32_MAX);
  EXPECT_EQ(out.popup->width, INT32_MAX);
}

TEST(HandEditedLayout, AnUnknownPageActsOnNothing) {
  const SkinLayout layout = test::windowTestLayout();
  SettingsRecord record = startRecord();
  record.currentPage = 9;
  const SettingsRecord before = record;
  for (const HoverIndices& h : {HoverIndices{6, 7, 66, 5}, HoverIndices{kNoItem, kNoItem, kNoItem, kNoItem}}) {
    PointerInput in;
    in.hover = h;
    const PressOutcome out = decidePress(layout, in, record);
    EXPECT_EQ(record, before);
    EXPECT_FALSE(out.windowDrag || out.pageChanged || out.popup.has_value());
    EXPECT_EQ(out.repaint, RepaintArea::WholeWindow);
  }
}

}  // namespace
}  // namespace tarvosk
