#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/popup_chain.h"
#include "window/popup_menu.h"

namespace tarvosk {
namespace {

using T = PopupAction::Type;

// The shipped masks: "menu" and "menu1" are 360 pixels high (15 rows of 24), "more" 90 (3 of 30).
constexpr int kMenuMaskHeight = 360;
constexpr int kMoreMaskHeight = 90;

PopupTexts sampleTexts(int32_t language) {
  PopupTexts t;
  t.language = language;
  for (int i = 1; i <= 47; ++i) t.functionNames[static_cast<std::size_t>(i)] = "f" + std::to_string(i);
  t.profileNames = {"Work", "Game", "Travel"};
  t.groupNames = {"Office", "Gaming", "Tools", "Misc"};
  t.macroNames = {{"Copy", "Paste"}, {"Burst"}, {}, {"A", "B", "C"}};
  return t;
}

TEST(PopupRows, RowHeightsFollowTheMaskOfEachKind) {
  struct Case {
    PopupKind kind;
    int maskHeight;
    int rowHeight;
  };
  const std::vector<Case> cases = {{PopupKind::ButtonFunctions, kMenuMaskHeight, 24},
                                   {PopupKind::MacroGroups, kMenuMaskHeight, 24},
                                   {PopupKind::MacroFileMenu, kMoreMaskHeight, 30},
                                   {PopupKind::LedModes, kMenuMaskHeight, 24},
                                   {PopupKind::LedEventMode, kMenuMaskHeight, 24},
                                   {PopupKind::LedEventColor, 359, 23},  // integer division
                                   {PopupKind::LedEventProgram, 0, 0}};  // missing mask
  for (const Case& c : cases) {
    EXPECT_EQ(popupRowHeight(c.kind, c.maskHeight), c.rowHeight) << static_cast<int>(c.kind);
  }
  EXPECT_EQ(subMenuRowHeight(kMenuMaskHeight), 24);
}

TEST(PopupRows, RowUnderAPointForEveryKind) {
  struct Case {
    PopupKind kind;
    int groups;
    int rows;
  };
  const std::vector<Case> cases = {{PopupKind::ButtonFunctions, 4, 11}, {PopupKind::MacroGroups, 4, 4},
                                   {PopupKind::MacroGroups, 40, 12},    {PopupKind::MacroFileMenu, 4, 3},
                                   {PopupKind::LedModes, 4, 5},         {PopupKind::LedEventMode, 4, 3},
                                   {PopupKind::LedEventColor, 4, 5},    {PopupKind::LedEventProgram, 4, 5}};
  for (const Case& c : cases) {
    const int rows = popupRowCount(c.kind, c.groups);
    ASSERT_EQ(rows, c.rows) << static_cast<int>(c.kind);
    const int rh = popupRowHeight(c.kind, c.kind == PopupKind::MacroFileMenu ? kMoreMaskHeight : kMenuMaskHeight);
    EXPECT_EQ(popupHeight(rows, rh), rows * rh);
    for (int r = 1; r <= rows; ++r) {
      EXPECT_EQ(rowAt(0, (r - 1) * rh, 200, rh, rows), r);  // top edge belongs to the row
      EXPECT_EQ(rowAt(199, r * rh - 1, 200, rh, rows), r);  // last pixel too
    }
    EXPECT_EQ(rowAt(10, rows * rh, 200, rh, rows), kNoRow);  // below the last row
    EXPECT_EQ(rowAt(200, 0, 200, rh, rows), kNoRow);         // right of the window
    EXPECT_EQ(rowAt(-1, 0, 200, rh, rows), kNoRow);
    EXPECT_EQ(rowAt(0, -1, 200, rh, rows), kNoRow);
  }
  EXPECT_EQ(rowAt(5, 5, 200, 0, 3), kNoRow);  // no mask: no rows to hit
}

TEST(PopupRows, SecondAndThirdLevelsAreOneRowTallerOrEmpty) {
  EXPECT_EQ(subLevelHeight(5, 24), 121);
  EXPECT_EQ(subLevelHeight(0, 24), 0);  // a group without macros: invisible
  EXPECT_EQ(popupHeight(0, 24), 0);
}

TEST(PopupTexts, RowTextsOfEachKindInBothLanguages) {
  const PopupTexts en = sampleTexts(1);
  const PopupTexts pt = sampleTexts(0);
  EXPECT_EQ(popupRowTexts(PopupKind::ButtonFunctions, en),
            (std::vector<std::string>{"f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9", "f10", "f11"}));
  EXPECT_EQ(popupRowTexts(PopupKind::MacroGroups, en), en.groupNames);
  EXPECT_EQ(popupRowTexts(PopupKind::MacroFileMenu, en), (std::vector<std::string>{"Import", "Export", "Reset"}));
  EXPECT_EQ(popupRowTexts(PopupKind::MacroFileMenu, pt), (std::vector<std::string>{"Importar", "Exportar", "Reset"}));
  EXPECT_EQ(popupRowTexts(PopupKind::LedModes, en),
            (std::vector<std::string>{"DPI breath", "Cycle breath", "Constantly", "Button response", "Mute"}));
  EXPECT_EQ(popupRowTexts(PopupKind::LedModes, pt).back(), "Mudo ");
  EXPECT_EQ(popupRowTexts(PopupKind::LedEventMode, pt),
            (std::vector<std::string>{"Ilumimação breath", "Ciclo breath", "Constantemente"}));
  EXPECT_EQ(popupRowTexts(PopupKind::LedEventColor, en),
            (std::vector<std::string>{"cycle", "colour1", "colour2", "colour3", "colour4"}));
  EXPECT_EQ(popupRowTexts(PopupKind::LedEventColor, pt).front(), "Ciclo");
  EXPECT_EQ(popupRowTexts(PopupKind::LedEventProgram, en),
            (std::vector<std::string>{"Num_1", "Num_2", "Num_3", "Num_4", "Num_5"}));
  EXPECT_EQ(popupRowTexts(PopupKind::LedEventProgram, pt)[2], "插入3个灯光");
}

TEST(PopupTexts, GroupMenuListsAtMostTwelveGroups) {
  PopupTexts t = sampleTexts(1);
  t.groupNames.assign(15, "g");
  EXPECT_EQ(popupRowTexts(PopupKind::MacroGroups, t).size(), 12u);
  EXPECT_EQ(subMenuRowTexts(kGroupsSubMenuRow, t).size(), 12u);
}

TEST(PopupTexts, TextPositionsPerKind) {
  // width 200, text 60 wide: centred 70.
  EXPECT_EQ(rowTextX(PopupKind::ButtonFunctions, 200, 60), 70);
  EXPECT_EQ(rowTextX(PopupKind::MacroGroups, 200, 60), 5);
  EXPECT_EQ(rowTextX(PopupKind::MacroFileMenu, 200, 60), 1);
  EXPECT_EQ(rowTextX(PopupKind::LedModes, 200, 60), 48);
  EXPECT_EQ(rowTextX(PopupKind::LedEventMode, 200, 61), 69);  // truncating division
  EXPECT_EQ(rowTextX(PopupKind::LedEventColor, 200, 60), 70);
  EXPECT_EQ(rowTextX(PopupKind::LedEventProgram, 200, 60), 70);
  EXPECT_EQ(rowTextY(1, 24, 14), 5);
  EXPECT_EQ(rowTextY(3, 24, 15), 52);
}

TEST(PopupSubMenus, RowsTextsOffsetsAndCodesOfEachSecondLevel) {
  const PopupTexts t = sampleTexts(1);
  struct Case {
    int firstRow;
    int rows;
    int offset;
    int32_t firstCode;
    std::string firstText;
    std::string lastText;
  };
  const std::vector<Case> cases = {{7, 5, 4, 12, "f12", "f16"},
                                   {8, 10, 1, 22, "f22", "f31"},
                                   {10, 8, 3, 32, "f32", "f39"},
                                   {11, 3, 8, 19, "Work", "Travel"}};  // profile names stand for 19..21
  for (const Case& c : cases) {
    SCOPED_TRACE(c.firstRow);
    EXPECT_TRUE(opensSubMenu(PopupKind::ButtonFunctions, c.firstRow));
    EXPECT_EQ(subMenuRowCount(c.firstRow, 4), c.rows);
    EXPECT_EQ(subMenuOffsetRows(c.firstRow, 4), c.offset);
    const auto texts = subMenuRowTexts(c.firstRow, t);
    ASSERT_EQ(static_cast<int>(texts.size()), c.rows);
    EXPECT_EQ(texts.front(), c.firstText);
    EXPECT_EQ(texts.back(), c.lastText);
    for (int r = 1; r <= c.rows; ++r) {
      EXPECT_EQ(subMenuRelease(c.firstRow, r, 4), (PopupAction{T::AssignFunction, c.firstCode + r - 1}));
    }
    EXPECT_EQ(subMenuRelease(c.firstRow, c.rows + 1, 4), PopupAction{});
    EXPECT_EQ(subMenuRelease(c.firstRow, kNoRow, 4), PopupAction{});
  }
  // The group list: one row per group, placed so that it ends at row 9; its rows assign nothing.
  EXPECT_EQ(subMenuRowCount(9, 4), 4);
  EXPECT_EQ(subMenuOffsetRows(9, 4), 5);
  EXPECT_EQ(subMenuOffsetRows(9, 12), -3);
  EXPECT_EQ(subMenuRowTexts(9, t), t.groupNames);
  EXPECT_EQ(subMenuRelease(9, 1, 4), PopupAction{});
  for (int row : {1, 6, 12, kNoRow}) EXPECT_FALSE(opensSubMenu(PopupKind::ButtonFunctions, row)) << row;
  EXPECT_FALSE(opensSubMenu(PopupKind::LedModes, 9));
}

TEST(PopupRelease, WhatEachRowOfEachFirstLevelKindDoes) {
  struct Case {
    const char* name;
    PopupKind kind;
    int row;
    PopupAction action;
  };
  const std::vector<Case> cases = {
      {"function row 3", PopupKind::ButtonFunctions, 3, {T::AssignFunction, 3}},
      {"function row 6", PopupKind::ButtonFunctions, 6, {T::AssignFunction, 6}},
      {"function row 7 opens a level", PopupKind::ButtonFunctions, 7, {}},
      {"function row 11 opens a level", PopupKind::ButtonFunctions, 11, {}},
      {"group 1", PopupKind::MacroGroups, 1, {T::ChooseGroup, 0}},
      {"group 4", PopupKind::MacroGroups, 4, {T::ChooseGroup, 3}},
      {"past the last group", PopupKind::MacroGroups, 5, {}},
      {"import", PopupKind::MacroFileMenu, 1, {T::MacroFile, 1}},
      {"restore", PopupKind::MacroFileMenu, 3, {T::MacroFile, 3}},
      {"mode 1", PopupKind::LedModes, 1, {T::SetLedType, 0}},
      {"mode 3", PopupKind::LedModes, 3, {T::SetLedType, 2}},
      {"mode 4 is button response", PopupKind::LedModes, 4, {T::SetLedType, 8}},
      {"mode 5 is off", PopupKind::LedModes, 5, {T::SetLedType, 9}},
      {"event mode row 1", PopupKind::LedEventMode, 1, {T::LedEventValue, 0}},
      {"event mode row 3", PopupKind::LedEventMode, 3, {T::LedEventValue, 2}},
      {"event mode has 3 rows", PopupKind::LedEventMode, 4, {}},
      {"colour row 1 cycle", PopupKind::LedEventColor, 1, {T::LedEventValue, 0}},
      {"colour row 2", PopupKind::LedEventColor, 2, {T::LedEventValue, 1}},
      {"colour row 3", PopupKind::LedEventColor, 3, {T::LedEventValue, 3}},
      {"colour row 4", PopupKind::LedEventColor, 4, {T::LedEventValue, 5}},
      {"colour row 5", PopupKind::LedEventColor, 5, {T::LedEventValue, 7}},
      {"step count row 4", PopupKind::LedEventProgram, 4, {T::LedEventValue, 4}},
      {"no row", PopupKind::LedEventProgram, kNoRow, {}},
  };
  for (const Case& c : cases) {
    const PopupAction a = firstLevelRelease(c.kind, c.row, 4);
    EXPECT_EQ(a, c.action) << c.name;
    EXPECT_EQ(a.closesMenus(), c.action.type != T::None) << c.name;
  }
  EXPECT_EQ(ledEventMessage(PopupKind::LedEventMode), 0x83ED);
  EXPECT_EQ(ledEventMessage(PopupKind::LedEventColor), 0x83EE);
  EXPECT_EQ(ledEventMessage(PopupKind::LedEventProgram), 0x83EF);
  EXPECT_EQ(ledEventMessage(PopupKind::LedModes), 0);
}

TEST(PopupRelease, MacroListAssignsTheUserMacroCode) {
  EXPECT_EQ(macroSelRelease(0, 2, 3), (PopupAction{T::AssignFunction, 257}));  // macro 2 of group 1
  EXPECT_EQ(macroSelRelease(11, 20, 20), (PopupAction{T::AssignFunction, 12 * 256 + 19}));
  EXPECT_EQ(macroSelRelease(0, 4, 3), PopupAction{});
  EXPECT_EQ(macroSelRelease(0, 21, 40), PopupAction{});  // a damaged count never goes past 20
  EXPECT_EQ(macroSelRelease(12, 1, 1), PopupAction{});
  EXPECT_EQ(macroSelRelease(-1, 1, 1), PopupAction{});
}

TEST(PopupRelease, LedEventChoicesWriteTheSelectedProgramByte) {
  LedProgram p = freshLedProgram();
  EXPECT_TRUE(applyLedEventChoice(p, PopupKind::LedEventProgram, 9, 4));
  EXPECT_EQ(p.bytes[0], 4);
  EXPECT_TRUE(applyLedEventChoice(p, PopupKind::LedEventMode, 1, 2));  // line 1: step 0's mode, byte 4
  EXPECT_EQ(p.bytes[LedProgram::modeByte(0)], 2);
  EXPECT_TRUE(applyLedEventChoice(p, PopupKind::LedEventColor, 6, 7));  // line 6: step 1's colour, byte 9
  EXPECT_EQ(p.bytes[LedProgram::colorByte(1)], 7);
  const LedProgram before = p;
  EXPECT_FALSE(applyLedEventChoice(p, PopupKind::LedEventColor, 65, 1));  // byte 68 is outside
  EXPECT_FALSE(applyLedEventChoice(p, PopupKind::LedEventMode, -4, 1));
  EXPECT_FALSE(applyLedEventChoice(p, PopupKind::LedModes, 1, 1));
  EXPECT_FALSE(applyLedEventChoice(p, PopupKind::LedEventProgram, 0, 300));
  EXPECT_EQ(p, before);
  EXPECT_TRUE(applyLedEventChoice(p, PopupKind::LedEventColor, 64, 1));  // byte 67, the last
}

TEST(PopupChainTest, SecondLevelFollowsTheFirstLevelsHoveredRow) {
  PopupChain c = openedChain(PopupKind::ButtonFunctions);
  c = afterFirstLevelHover(c, 3);
  EXPECT_EQ(c.subMenuRow, 0);
  c = afterFirstLevelHover(c, 9);
  EXPECT_EQ(c.subMenuRow, 9);
  c = afterSubMenuHover(c, 2, 4);
  EXPECT_EQ(c.macroGroup, 1);
  // Leaving the rows of the second level keeps what is open.
  c = afterSubMenuHover(c, kNoRow, 4);
  EXPECT_EQ(c.macroGroup, 1);
  // The same first-level row keeps both levels; another row replaces the second and drops the third.
  EXPECT_EQ(afterFirstLevelHover(c, 9), c);
  c = afterFirstLevelHover(c, 8);
  EXPECT_EQ(c.subMenuRow, 8);
  EXPECT_EQ(c.macroGroup, -1);
  // Only the group list opens a third level.
  EXPECT_EQ(afterSubMenuHover(c, 2, 4).macroGroup, -1);
  c = afterFirstLevelHover(c, 1);
  EXPECT_EQ(c, openedChain(PopupKind::ButtonFunctions));
}

TEST(PopupChainTest, OtherKindsNeverOpenASecondLevel) {
  for (PopupKind k : {PopupKind::MacroGroups, PopupKind::MacroFileMenu, PopupKind::LedModes, PopupKind::LedEventMode,
                      PopupKind::LedEventColor, PopupKind::LedEventProgram}) {
    PopupChain c = openedChain(k);
    EXPECT_EQ(afterFirstLevelHover(c, 9), c) << static_cast<int>(k);
  }
  EXPECT_EQ(afterFirstLevelHover(closedChain(), 9), closedChain());
  // A group row beyond the groups opens nothing.
  PopupChain c = afterFirstLevelHover(openedChain(PopupKind::ButtonFunctions), 9);
  EXPECT_EQ(afterSubMenuHover(c, 5, 4).macroGroup, -1);
}

}  // namespace
}  // namespace tarvosk
