#include <gtest/gtest.h>

#include <array>
#include <string>

#include "settings/settings_rules.h"
#include "window/pointer_handling.h"
#include "window_test_layout.h"

namespace tarvosk {
namespace {

using test::centreOf;
using test::inputAt;
using test::pointIn;

using test::factoryRecord;

class PointerPressTest : public ::testing::Test {
 protected:
  PressOutcome pressAt(uint8_t page, test::Point p) {
    record.currentPage = page;
    PointerInput in = inputAt(layout, page, p);
    in.ledPreviewRunning = ledPreviewRunning;
    in.mainPreviewRunning = mainPreviewRunning;
    return decidePress(layout, in, record);
  }
  PressOutcome pressOn(uint8_t page, const LayoutItem& item) { return pressAt(page, centreOf(item)); }

  SkinLayout layout = test::windowTestLayout();
  SettingsRecord record = factoryRecord();
  bool ledPreviewRunning = false;
  bool mainPreviewRunning = false;
};

TEST_F(PointerPressTest, PageTabsSwitchPagesAndTheirControlsAndPreviews) {
  struct Case {
    const char* name;
    uint8_t from;
    int tab;
    uint8_t to;
    bool destroyNames, createNames, destroyMacro, createMacro, startLed, startMain;
  };
  const Case cases[] = {
      {"main to advanced", 0, 7, 1, true, false, false, false, false, false},
      {"main to macro", 0, 8, 2, true, false, false, true, false, false},
      {"main to lighting", 0, 9, 3, true, false, false, false, true, false},
      {"advanced to main", 1, 6, 0, false, true, false, false, false, true},
      {"advanced to macro", 1, 8, 2, false, false, false, true, false, false},
      {"advanced to lighting", 1, 9, 3, false, false, false, false, true, false},
      {"macro to main", 2, 6, 0, false, true, true, false, false, true},
      {"macro to advanced", 2, 7, 1, false, false, true, false, false, false},
      {"macro to lighting", 2, 9, 3, false, false, true, false, true, false},
      {"lighting to main", 3, 6, 0, false, true, false, false, false, true},
      {"lighting to advanced", 3, 7, 1, false, false, false, false, false, false},
      {"lighting to macro", 3, 8, 2, false, false, false, true, false, false},
  };
  for (const Case& c : cases) {
    const PressOutcome out = pressOn(c.from, layout.main[static_cast<std::size_t>(c.tab)]);
    EXPECT_EQ(record.currentPage, c.to) << c.name;
    EXPECT_TRUE(out.pageChanged) << c.name;
    EXPECT_TRUE(out.buttonHeld) << c.name;
    EXPECT_EQ(out.destroyNameEdits, c.destroyNames) << c.name;
    EXPECT_EQ(out.createNameEdits, c.createNames) << c.name;
    EXPECT_EQ(out.destroyMacroControls, c.destroyMacro) << c.name;
    EXPECT_EQ(out.createMacroControls, c.createMacro) << c.name;
    EXPECT_EQ(out.startLedPreview, c.startLed) << c.name;
    EXPECT_EQ(out.startMainPreview, c.startMain) << c.name;
    EXPECT_FALSE(out.settingsChanged) << c.name;
    EXPECT_FALSE(out.windowDrag) << c.name;
  }
}

TEST_F(PointerPressTest, ThePagesOwnTabAndTheReleaseItemsDoNothingOnThePress) {
  for (uint8_t page : {0, 1, 2, 3}) {
    for (int item : {0, 1, 2, 3, 4, 5, 10, 6 + page}) {
      record.currentPage = page;
      const SettingsRecord before = record;
      const PressOutcome out = pressOn(page, layout.main[static_cast<std::size_t>(item)]);
      EXPECT_EQ(record, before) << "page " << int{page} << " item " << item;
      EXPECT_FALSE(out.pageChanged) << "page " << int{page} << " item " << item;
      EXPECT_TRUE(out.buttonHeld) << "page " << int{page} << " item " << item;
      EXPECT_FALSE(out.windowDrag) << "page " << int{page} << " item " << item;
      EXPECT_FALSE(out.popup.has_value()) << "page " << int{page} << " item " << item;
    }
  }
}

TEST_F(PointerPressTest, APreviewStillRunningIsNotStartedAgain) {
  ledPreviewRunning = true;
  mainPreviewRunning = true;
  EXPECT_FALSE(pressOn(1, layout.main[9]).startLedPreview);
  EXPECT_EQ(record.currentPage, 3);
  EXPECT_FALSE(pressOn(3, layout.main[6]).startMainPreview);
  EXPECT_EQ(record.currentPage, 0);
}

TEST_F(PointerPressTest, ACalloutOpensTheButtonMenuBelowIt) {
  const LayoutItem& callout = layout.main[24];
  const PressOutcome out = pressOn(0, callout);
  EXPECT_EQ(out.selectedButton, 4);
  EXPECT_FALSE(out.leftClickWarning);
  const PopupRequest expected{PopupKind::ButtonFunctions, callout.x + 1, callout.y + callout.height, callout.width + 1};
  EXPECT_EQ(out.popup, expected);
}

TEST_F(PointerPressTest, TheLeftClickWarningComesWhenNoOtherButtonOfSlotZeroClicks) {
  struct Case {
    const char* name;
    int32_t profile;
    std::array<int32_t, 6> functions;
    int button;
    bool warn;
  };
  const Case cases[] = {
      {"the only left click on slot 0", 0, {1, 2, 3, 4, 5, 6}, 0, true},
      {"another button clicks too", 0, {1, 1, 3, 4, 5, 6}, 0, false},
      {"another button holds the click", 0, {2, 1, 3, 4, 5, 6}, 0, false},
      {"no left click at all", 0, {2, 2, 3, 4, 5, 6}, 3, true},
      {"slot 2 never warns", 2, {1, 2, 3, 4, 5, 6}, 0, false},
      {"an out-of-range profile counts as slot 0", 7, {1, 2, 3, 4, 5, 6}, 0, true},
  };
  for (const Case& c : cases) {
    record.currentProfile = c.profile;
    record.buttonFunction[static_cast<std::size_t>(profileSlotIndex(c.profile))] = c.functions;
    EXPECT_EQ(needsLeftClickWarning(record, c.button), c.warn) << c.name;
    const PressOutcome out = pressOn(0, layout.main[static_cast<std::size_t>(20 + c.button)]);
    EXPECT_EQ(out.leftClickWarning, c.warn) << c.name;
    EXPECT_EQ(out.selectedButton, c.button) << c.name;
    EXPECT_TRUE(out.popup.has_value()) << c.name;
  }
  EXPECT_FALSE(needsLeftClickWarning(record, -1));
  EXPECT_FALSE(needsLeftClickWarning(record, 6));
}

TEST_F(PointerPressTest, MainPageItemsActOnlyOnTheMainPage) {
  // Where the callout of button 2 lies, the advanced page has nothing: the press drags the window.
  const PressOutcome out = pressOn(1, layout.main[21]);
  EXPECT_FALSE(out.popup.has_value());
  EXPECT_FALSE(out.selectedButton.has_value());
  EXPECT_TRUE(out.windowDrag);
  EXPECT_FALSE(out.buttonHeld);
}

TEST_F(PointerPressTest, PressingClosesAnOpenPopupFirst) {
  record.currentPage = 3;
  PointerInput in = inputAt(layout, 3, centreOf(layout.led[35]));
  in.popupOpen = true;
  const PressOutcome out = decidePress(layout, in, record);
  EXPECT_TRUE(out.closeOpenPopup);
  const PopupRequest expected{PopupKind::LedModes, 44, 146 + 34, 200};
  EXPECT_EQ(out.popup, expected);
  in.popupOpen = false;
  EXPECT_FALSE(decidePress(layout, in, record).closeOpenPopup);
}

TEST_F(PointerPressTest, WindowDragNeedsEmptySpaceOfTheStripAndOfThePageShown) {
  struct Case {
    const char* name;
    uint8_t page;
    HoverIndices hover;
    bool drag;
  };
  const Case cases[] = {
      {"main page, nothing hit", 0, {kNoItem, kNoItem, kNoItem, kNoItem}, true},
      {"main page: the strip alone decides", 0, {kNoItem, 14, 66, 5}, true},
      {"main page, a strip item", 0, {3, kNoItem, kNoItem, kNoItem}, false},
      {"main page, a main item without a press action", 0, {14, kNoItem, kNoItem, kNoItem}, false},
      {"advanced page, nothing hit", 1, {kNoItem, kNoItem, kNoItem, kNoItem}, true},
      {"advanced page, a label", 1, {kNoItem, kNoItem, 0, kNoItem}, false},
      {"advanced page, other pages' items do not count", 1, {kNoItem, 14, kNoItem, 5}, true},
      {"advanced page, a strip item", 1, {2, kNoItem, kNoItem, kNoItem}, false},
      {"lighting page, nothing hit", 3, {kNoItem, kNoItem, kNoItem, kNoItem}, true},
      {"lighting page, an item without action", 3, {kNoItem, 20, kNoItem, kNoItem}, false},
      {"macro page, nothing hit", 2, {kNoItem, kNoItem, kNoItem, kNoItem}, true},
      {"macro page, a label", 2, {kNoItem, kNoItem, kNoItem, 15}, false},
      {"macro page, a strip item", 2, {4, kNoItem, kNoItem, kNoItem}, false},
  };
  for (const Case& c : cases) {
    SettingsRecord r = factoryRecord();
    r.currentPage = c.page;
    PointerInput in;
    in.hover = c.hover;
    const PressOutcome out = decidePress(layout, in, r);
    EXPECT_EQ(out.windowDrag, c.drag) << c.name;
    EXPECT_FALSE(out.settingsChanged) << c.name;
  }
}

TEST_F(PointerPressTest, HeldFlagAndRepaintFollowTheHoverAndThePage) {
  struct Case {
    const char* name;
    uint8_t page;
    HoverIndices hover;
    bool held;
    RepaintArea area;
  };
  const Case cases[] = {
      {"empty main page", 0, {kNoItem, kNoItem, kNoItem, kNoItem}, false, RepaintArea::MainPageRegion},
      {"main page, an advanced item under the point counts",
       0,
       {kNoItem, kNoItem, 66, kNoItem},
       true,
       RepaintArea::MainPageRegion},
      {"macro page item", 2, {kNoItem, kNoItem, kNoItem, 2}, true, RepaintArea::MacroPageRegion},
      {"lighting page item", 3, {kNoItem, 45, kNoItem, kNoItem}, true, RepaintArea::WholeWindow},
      {"main to macro page covers both regions", 0, {8, kNoItem, kNoItem, kNoItem}, true, RepaintArea::WholeWindow},
      {"advanced to main page", 1, {6, kNoItem, kNoItem, kNoItem}, true, RepaintArea::WholeWindow},
  };
  for (const Case& c : cases) {
    SettingsRecord r = factoryRecord();
    r.currentPage = c.page;
    PointerInput in;
    in.hover = c.hover;
    const PressOutcome out = decidePress(layout, in, r);
    EXPECT_EQ(out.buttonHeld, c.held) << c.name;
    EXPECT_EQ(out.repaint, c.area) << c.name;
  }
}

TEST_F(PointerPressTest, ARecordingRefusesEveryPressButTheRecordSwitchHideQuitAndEmptySpace) {
  struct Case {
    const char* name;
    HoverIndices hover;
    bool refused;
  };
  const Case cases[] = {
      {"record switch", {kNoItem, kNoItem, kNoItem, 5}, false},
      {"hide item", {0, kNoItem, kNoItem, kNoItem}, false},
      {"quit item", {1, kNoItem, kNoItem, kNoItem}, false},
      {"empty space", {kNoItem, kNoItem, kNoItem, kNoItem}, false},
      {"empty space over another page's item", {kNoItem, 14, 66, kNoItem}, false},
      {"apply item", {3, kNoItem, kNoItem, kNoItem}, true},
      {"advanced page tab", {7, kNoItem, kNoItem, kNoItem}, true},
      {"delete macro", {kNoItem, kNoItem, kNoItem, 7}, true},
      {"play mode", {kNoItem, kNoItem, kNoItem, 10}, true},
      {"a macro label", {kNoItem, kNoItem, kNoItem, 15}, true},
  };
  for (const Case& c : cases) {
    SettingsRecord r = factoryRecord();
    r.currentPage = 2;
    PointerInput in;
    in.hover = c.hover;
    in.recording = true;
    in.popupOpen = true;
    in.macroListCount = 3;
    in.macroGroupCount = 1;
    const SettingsRecord before = r;
    const PressOutcome out = decidePress(layout, in, r);
    EXPECT_EQ(out.refusedRecording, c.refused) << c.name;
    EXPECT_TRUE(out.endListEdits) << c.name;
    if (c.refused) {
      EXPECT_EQ(r, before) << c.name;
      EXPECT_FALSE(out.buttonHeld || out.closeOpenPopup || out.pageChanged || out.windowDrag) << c.name;
      EXPECT_EQ(out.macroAction, MacroPageAction::None) << c.name;
      EXPECT_FALSE(out.repaint.has_value()) << c.name;
    } else {
      EXPECT_TRUE(out.repaint.has_value()) << c.name;
    }
  }
}

TEST_F(PointerPressTest, NothingIsRefusedWithoutARecording) {
  PointerInput in;
  in.hover = {3, kNoItem, kNoItem, 7};
  record.currentPage = 2;
  EXPECT_FALSE(decidePress(layout, in, record).refusedRecording);
  EXPECT_FALSE(refusedWhileRecording(in.hover, false));
}

}  // namespace
}  // namespace tarvosk
