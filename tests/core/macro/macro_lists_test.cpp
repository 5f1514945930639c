#include <gtest/gtest.h>

#include "macro/macro_lists.h"

namespace tarvosk {
namespace {

TEST(MacroLists, TheLineUnderTheCursorCountsTheScrolledLines) {
  EXPECT_EQ(lineUnderCursor(16, 0, 100, 100), 0);
  EXPECT_EQ(lineUnderCursor(16, 0, 131, 100), 1);
  EXPECT_EQ(lineUnderCursor(16, 10, 132, 100), 12);
  EXPECT_EQ(lineUnderCursor(0, 10, 132, 100), 0) << "no item height";
}

TEST(MacroLists, ARightClickOpensTheMenuOnALineOrOnAnEmptyList) {
  EXPECT_TRUE(rightClickHitsList(true, 2, 3));
  EXPECT_TRUE(rightClickHitsList(true, 7, 0));
  EXPECT_FALSE(rightClickHitsList(true, 3, 3)) << "below the last line";
  EXPECT_FALSE(rightClickHitsList(false, 0, 3)) << "outside the list";
}

TEST(MacroLists, LinesBelongToEvents) {
  MacroRecord m;
  EXPECT_EQ(eventListLineCount(m), 0);
  m.eventCount = 3;
  EXPECT_EQ(eventListLineCount(m), 5);
  EXPECT_EQ(eventOfLine(4), 2);
  EXPECT_EQ(eventOfLine(3), 1);
  EXPECT_EQ(eventOfLine(-1), -1);
  EXPECT_TRUE(isPauseLine(3));
  EXPECT_FALSE(isPauseLine(4));
}

TEST(MacroLists, ARebuildSelectsTheLastLineDuringATakeAndTheSelectedLineOtherwise) {
  EXPECT_EQ(lineToSelectAfterRebuild(true, 0, 5), 4);
  EXPECT_EQ(lineToSelectAfterRebuild(false, 2, 5), 2);
  EXPECT_EQ(lineToSelectAfterRebuild(false, 9, 5), 4);
  EXPECT_EQ(lineToSelectAfterRebuild(false, -1, 5), 0);
  EXPECT_EQ(lineToSelectAfterRebuild(false, 3, 0), -1);
}

TEST(MacroLists, TheLedProgramListFollowsTheLightingEventOfTheSelectedLine) {
  MacroRecord m;
  m.eventCount = 300;
  m.eventCode[1] = code::kLed;
  m.eventParamA[1] = 2;
  m.eventCode[257] = code::kLed;
  m.eventParamA[257] = 4;
  m.eventCode[3] = code::kLed;
  m.eventParamA[3] = 9;  // a program that does not exist
  EXPECT_EQ(ledProgramForLine(m, 2), 2);
  EXPECT_EQ(ledProgramForLine(m, 3), 2) << "the pause after it";
  EXPECT_EQ(ledProgramForLine(m, 4), std::nullopt);
  EXPECT_EQ(ledProgramForLine(m, 6), std::nullopt);
  // Events past 255 are found by their own index, not modulo 256.
  EXPECT_EQ(ledProgramForLine(m, 514), 4);
  m.eventCode[5] = code::kLed;
  m.eventParamA[5] = 1;
  EXPECT_EQ(ledProgramForLine(m, 10), 1);
  EXPECT_EQ(ledProgramForLine(m, 2 * (256 + 5)), std::nullopt) << "event 261 is not event 5";
  EXPECT_EQ(ledProgramForLine(m, 599), std::nullopt);
}

TEST(MacroLists, TheRepeatFieldShowsTheCountOnlyInRepeatMode) {
  MacroRecord m;
  m.repeatCount = 7;
  EXPECT_EQ(repeatFieldFor(m).text, "7");
  EXPECT_TRUE(repeatFieldFor(m).enabled);
  m.playMode = 0x05;  // a higher bit kept from a file, mode 1
  EXPECT_EQ(repeatFieldFor(m).text, "1");
  EXPECT_FALSE(repeatFieldFor(m).enabled);
  m.eventCount = 0;
  m.playMode = 0;
  EXPECT_EQ(repeatFieldFor(m).text, "7") << "a macro without events shows its own count";
}

TEST(MacroLists, ASelectionOutsideTheStoreMakesMacro0Current) {
  MacroStore store;
  store.count = 3;
  EXPECT_EQ(macroForSelection(store, 2), 2);
  EXPECT_EQ(macroForSelection(store, 3), 0);
  EXPECT_EQ(macroForSelection(store, -1), 0);
}

}  // namespace
}  // namespace tarvosk
