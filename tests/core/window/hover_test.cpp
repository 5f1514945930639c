#include <gtest/gtest.h>

#include <string>

#include "window/hover.h"
#include "window_test_layout.h"

namespace tarvosk {
namespace {

using test::centreOf;
using test::windowTestLayout;

TEST(HoverIndices, StartWithTheHideItemUnderThePointerAndNothingElse) {
  const HoverIndices h;
  EXPECT_EQ(h.strip, 0);
  EXPECT_EQ(h.led, kNoItem);
  EXPECT_EQ(h.advanced, kNoItem);
  EXPECT_EQ(h.macro, kNoItem);
}

TEST(ComputeHover, MainPageItemsAreHitOnlyWhileTheMainPageShows) {
  const SkinLayout layout = windowTestLayout();
  struct Case {
    const char* name;
    int mainItem;
    uint8_t page;
    int expectedStrip;
  };
  const Case cases[] = {
      {"profile tab on the main page", 12, 0, 12},      {"profile tab on the advanced page", 12, 1, kNoItem},
      {"callout on the lighting page", 20, 3, kNoItem}, {"web page item on the macro page", 19, 2, kNoItem},
      {"apply on the advanced page", 3, 1, 3},          {"emblem on the lighting page", 10, 3, 10},
      {"page tab on the main page", 8, 0, 8},
  };
  for (const Case& c : cases) {
    const auto p = centreOf(layout.main[static_cast<std::size_t>(c.mainItem)]);
    EXPECT_EQ(computeHover(layout, c.page, p.x, p.y).strip, c.expectedStrip) << c.name;
  }
}

TEST(ComputeHover, AllFourTablesAreTestedWhateverThePage) {
  SkinLayout layout = windowTestLayout();
  const auto p = centreOf(layout.advanced[117]);
  // A lighting and a macro item placed over the same point, as a hand-edited file may do; they
  // come first in their tables, so they win over any later item there.
  test::place(layout.led[3], p.x - 1, p.y - 1, 3, 3);
  test::place(layout.macro[11], p.x - 1, p.y - 1, 3, 3);
  for (uint8_t page : {0, 1, 2, 3}) {
    const HoverIndices h = computeHover(layout, page, p.x, p.y);
    EXPECT_EQ(h.advanced, 117) << "page " << int{page};
    EXPECT_EQ(h.led, 3) << "page " << int{page};
    EXPECT_EQ(h.macro, 11) << "page " << int{page};
    EXPECT_EQ(h.strip, kNoItem) << "page " << int{page};
  }
}

TEST(ComputeHover, TheFirstItemInIndexOrderWinsAndEdgesFollowTheRectangle) {
  SkinLayout layout = windowTestLayout();
  test::place(layout.macro[2], 100, 100, 50, 20);
  test::place(layout.macro[12], 100, 100, 50, 20);
  EXPECT_EQ(computeHover(layout, 2, 100, 100).macro, 2);
  EXPECT_EQ(computeHover(layout, 2, 149, 119).macro, 2);
  EXPECT_EQ(computeHover(layout, 2, 150, 110).macro, kNoItem) << "right edge is exclusive";
  EXPECT_EQ(computeHover(layout, 2, 120, 120).macro, kNoItem) << "bottom edge is exclusive";
}

TEST(ComputeHover, LightingAreasAboveItem70AreNeverUnderThePointer) {
  const SkinLayout layout = windowTestLayout();
  // Item 75 is the colour group's area; the point lies in it but on no control.
  const HoverIndices h = computeHover(layout, 3, 35, 192);
  EXPECT_EQ(h.led, kNoItem);
}

TEST(ComputeHover, EmptySpaceGivesNoItemInEveryTable) {
  const SkinLayout layout = windowTestLayout();
  const HoverIndices expected{kNoItem, kNoItem, kNoItem, kNoItem};
  EXPECT_EQ(computeHover(layout, 0, 5, 595), expected);
  EXPECT_EQ(computeHover(layout, 1, -40, 100000), expected);
}

TEST(RepaintArea, FollowsThePage) {
  EXPECT_EQ(repaintAreaFor(0), RepaintArea::MainPageRegion);
  EXPECT_EQ(repaintAreaFor(1), RepaintArea::WholeWindow);
  EXPECT_EQ(repaintAreaFor(2), RepaintArea::MacroPageRegion);
  EXPECT_EQ(repaintAreaFor(3), RepaintArea::WholeWindow);
  EXPECT_EQ(repaintAreaFor(200), RepaintArea::WholeWindow);
}

TEST(HoverRepaint, InvalidatesOnAnyChangeAndPaintsAtOnceUnlessOnlyTheMacroItemChanged) {
  const HoverIndices rest{kNoItem, kNoItem, kNoItem, kNoItem};
  struct Case {
    const char* name;
    HoverIndices after;
    uint8_t page;
    HoverRepaint expected;
  };
  const Case cases[] = {
      {"nothing changed", rest, 0, {false, false, RepaintArea::MainPageRegion}},
      {"strip item on the main page", {7, kNoItem, kNoItem, kNoItem}, 0, {true, true, RepaintArea::MainPageRegion}},
      {"lighting item on the lighting page",
       {kNoItem, 14, kNoItem, kNoItem},
       3,
       {true, true, RepaintArea::WholeWindow}},
      {"advanced item seen from the macro page",
       {kNoItem, kNoItem, 66, kNoItem},
       2,
       {true, true, RepaintArea::MacroPageRegion}},
      {"macro item alone", {kNoItem, kNoItem, kNoItem, 5}, 2, {true, false, RepaintArea::MacroPageRegion}},
      {"macro and strip item", {3, kNoItem, kNoItem, 5}, 2, {true, true, RepaintArea::MacroPageRegion}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hoverRepaintFor(rest, c.after, c.page), c.expected) << c.name;
    EXPECT_EQ(hoverChangeNeedsRepaint(rest, c.after), c.expected.invalidate) << c.name;
  }
}

TEST(HoverRepaint, LeavingTheStartItemForEmptySpaceRepaintsIt) {
  // At start the hide item shows as hovered; the first move elsewhere must take that look away.
  const HoverIndices start;
  const HoverIndices empty{kNoItem, kNoItem, kNoItem, kNoItem};
  EXPECT_TRUE(hoverRepaintFor(start, empty, 0).invalidate);
}

}  // namespace
}  // namespace tarvosk
