#include <gtest/gtest.h>

#include "window/pointer_handling.h"
#include "window_test_layout.h"

namespace tarvosk {
namespace {

using test::centreOf;
using test::inputAt;

TEST(PointerRelease, EveryStripItemStartsItsOperation) {
  struct Case {
    const char* name;
    int strip;
    ReleaseAction action;
    bool clearsStripHover;
  };
  const Case cases[] = {
      {"hide", 0, ReleaseAction::HideToTray, true},
      {"quit", 1, ReleaseAction::HideAndLeave, true},
      {"cancel", 2, ReleaseAction::HideAndRevert, true},
      {"apply", 3, ReleaseAction::Apply, false},
      {"second language", 4, ReleaseAction::SwitchLanguage, false},
      {"English", 5, ReleaseAction::SwitchLanguage, false},
      {"page tabs act on the press", 7, ReleaseAction::None, false},
      {"emblem", 10, ReleaseAction::None, false},
      {"import", 14, ReleaseAction::Import, false},
      {"export", 15, ReleaseAction::Export, false},
      {"factory reset", 16, ReleaseAction::ResetToFactory, false},
      {"web page", 19, ReleaseAction::OpenWebPage, false},
      {"a callout acts on the press", 22, ReleaseAction::None, false},
      {"empty space", kNoItem, ReleaseAction::None, false},
  };
  for (const Case& c : cases) {
    SettingsRecord record;
    record.currentProfile = 2;
    record.language = 1;
    const SettingsRecord before = record;
    PointerInput in;
    in.hover = {c.strip, kNoItem, kNoItem, kNoItem};
    const ReleaseOutcome out = decideRelease(in, record);
    EXPECT_EQ(out.action, c.action) << c.name;
    EXPECT_EQ(out.clearStripHover, c.clearsStripHover) << c.name;
    EXPECT_TRUE(out.clearButtonHeld) << c.name;
    EXPECT_FALSE(out.refusedRecording) << c.name;
    EXPECT_FALSE(out.profileSelected) << c.name;
    EXPECT_EQ(record, before) << c.name;
    EXPECT_EQ(out.repaint, RepaintArea::MainPageRegion) << c.name;
  }
}

TEST(PointerRelease, TheLanguagePillsNameTheirLanguageEvenWhenItIsActive) {
  SettingsRecord record;
  PointerInput in;
  in.hover.strip = 4;
  record.language = 0;
  EXPECT_EQ(decideRelease(in, record).targetLanguage, 0);
  in.hover.strip = 5;
  record.language = 1;
  EXPECT_EQ(decideRelease(in, record).targetLanguage, 1);
  EXPECT_EQ(record.language, 1) << "the switch itself changes the language, not the decision";
}

TEST(PointerRelease, ProfileTabsSelectSlotsZeroTwoAndThreeWithoutWriting) {
  struct Case {
    const char* name;
    int strip;
    int32_t slot;
  };
  const Case cases[] = {{"tab 1", 11, 0}, {"tab 2", 12, 2}, {"tab 3", 13, 3}};
  for (const Case& c : cases) {
    SettingsRecord record;
    record.currentProfile = 1;
    PointerInput in;
    in.hover.strip = c.strip;
    const ReleaseOutcome out = decideRelease(in, record);
    EXPECT_EQ(record.currentProfile, c.slot) << c.name;
    EXPECT_TRUE(out.profileSelected) << c.name;
    EXPECT_EQ(out.action, ReleaseAction::None) << c.name;
  }
}

TEST(PointerRelease, MainPageItemsDoNothingOnOtherPages) {
  const SkinLayout layout = test::windowTestLayout();
  for (uint8_t page : {1, 2, 3}) {
    SettingsRecord record;
    record.currentPage = page;
    record.currentProfile = 0;
    // Where tab 2 would be, the hover of another page has no strip item.
    const PointerInput moved = inputAt(layout, page, centreOf(layout.main[12]));
    EXPECT_EQ(moved.hover.strip, kNoItem);
    EXPECT_FALSE(decideRelease(moved, record).profileSelected);
    // Even a stale hover from the main page acts nowhere else.
    for (int item : {12, 14, 15, 16, 19}) {
      PointerInput stale;
      stale.hover.strip = item;
      const ReleaseOutcome out = decideRelease(stale, record);
      EXPECT_EQ(out.action, ReleaseAction::None) << "page " << int{page} << " item " << item;
      EXPECT_FALSE(out.profileSelected) << "page " << int{page} << " item " << item;
    }
    EXPECT_EQ(record.currentProfile, 0);
  }
}

TEST(PointerRelease, TheStripWorksOnEveryPageAndRepaintsThatPage) {
  struct Case {
    uint8_t page;
    RepaintArea area;
  };
  const Case cases[] = {{0, RepaintArea::MainPageRegion},
                        {1, RepaintArea::WholeWindow},
                        {2, RepaintArea::MacroPageRegion},
                        {3, RepaintArea::WholeWindow}};
  for (const Case& c : cases) {
    SettingsRecord record;
    record.currentPage = c.page;
    PointerInput in;
    in.hover.strip = 3;
    const ReleaseOutcome out = decideRelease(in, record);
    EXPECT_EQ(out.action, ReleaseAction::Apply) << int{c.page};
    EXPECT_EQ(out.repaint, c.area) << int{c.page};
  }
}

TEST(PointerRelease, ARecordingRefusesReleasesLikePresses) {
  struct Case {
    const char* name;
    HoverIndices hover;
    bool refused;
    ReleaseAction action;
  };
  const Case cases[] = {
      {"hide goes through", {0, kNoItem, kNoItem, kNoItem}, false, ReleaseAction::HideToTray},
      {"quit goes through", {1, kNoItem, kNoItem, kNoItem}, false, ReleaseAction::HideAndLeave},
      {"the record switch goes through", {kNoItem, kNoItem, kNoItem, 5}, false, ReleaseAction::None},
      {"empty space goes through", {kNoItem, kNoItem, kNoItem, kNoItem}, false, ReleaseAction::None},
      {"apply is refused", {3, kNoItem, kNoItem, kNoItem}, true, ReleaseAction::None},
      {"cancel is refused", {2, kNoItem, kNoItem, kNoItem}, true, ReleaseAction::None},
      {"a language pill is refused", {5, kNoItem, kNoItem, kNoItem}, true, ReleaseAction::None},
      {"a macro item is refused", {kNoItem, kNoItem, kNoItem, 6}, true, ReleaseAction::None},
  };
  for (const Case& c : cases) {
    SettingsRecord record;
    record.currentPage = 2;
    PointerInput in;
    in.hover = c.hover;
    in.recording = true;
    const ReleaseOutcome out = decideRelease(in, record);
    EXPECT_EQ(out.refusedRecording, c.refused) << c.name;
    EXPECT_EQ(out.action, c.action) << c.name;
    EXPECT_EQ(out.clearButtonHeld, !c.refused) << c.name;
    EXPECT_EQ(out.repaint.has_value(), !c.refused) << c.name;
  }
}

TEST(PointerRelease, TheMessagesAndAddressAreTheProgramsOwn) {
  EXPECT_EQ(kRecordingMessage, "Recording");
  EXPECT_TRUE(kWebPageAddress.starts_with("https://"));
}

}  // namespace
}  // namespace tarvosk
