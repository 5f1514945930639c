#pragma once
// The decisions of the skinned popup menus: which images each level uses, how tall its rows
// are, which row lies under a point, what each row says and where its text starts, and what a
// release on a row does. The window's popup widgets only gather the pointer and execute what
// these functions return.
//
// Three levels: the first-level menu of a kind (PopupKind), the second level beside rows 7..11
// of the button-function menu, and the third level listing the macros of one group beside a
// group row of the second level. Rows are numbered from 1; kNoRow means no row.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_record.h"
#include "window/popup_request.h"

namespace tarvosk {

inline constexpr int kNoRow = 255;
// The height an opener gives a first-level menu and the size a parent gives its next level;
// the row count then cuts the window to its rows.
inline constexpr int kPopupRequestHeight = 360;
inline constexpr int kSubMenuRequestWidth = 300;
inline constexpr int kSubMenuRequestHeight = 400;
// First-level rows of the button-function menu that lead to a second level.
inline constexpr int kFirstSubMenuRow = 7;
inline constexpr int kLastSubMenuRow = 11;
inline constexpr int kGroupsSubMenuRow = 9;
// The first-level rows of the button-function menu that assign a function by themselves.
inline constexpr int kDirectFunctionRows = 6;

// Messages the main window receives from the popups (kept as the window's message numbers).
inline constexpr int kMsgMacroGroupChosen = 0x7EA;
inline constexpr int kMsgMacroFileAction = 0x7EB;
inline constexpr int kMsgLedEventMode = 0x83ED;
inline constexpr int kMsgLedEventColor = 0x83EE;
inline constexpr int kMsgLedEventProgram = 0x83EF;

// File names of one look set of a popup level (all in the skins folder).
struct PopupImageSet {
  std::string_view mask;
  std::string_view normal;
  std::string_view over;
  std::string_view down;  // the third level has no pressed look: its down is its over image
};

PopupImageSet popupImages(PopupKind kind);
// The second level: "menu_mask.jpg" for the shape in both cases; the "Macro_menu" looks when it
// lists the macro groups, the "menu" looks otherwise.
PopupImageSet subMenuImages(bool listsGroups);
PopupImageSet macroSelImages();

// Row height from the mask height: mask height / 15, or / 3 for the macro file menu. 0 for a
// missing (zero-sized) mask.
int popupRowHeight(PopupKind kind, int maskHeight);
int subMenuRowHeight(int maskHeight);

// Number of rows of a first-level kind; the group menu has one row per group (0..12).
int popupRowCount(PopupKind kind, int groupCount);

// The row under (px, py) in a level `width` wide with `rows` rows of `rowHeight`: 1..rows, or
// kNoRow outside every row.
int rowAt(int px, int py, int width, int rowHeight, int rows);

// Height of a first level cut to its rows; of a second or third level: rows × row height + 1,
// 0 without rows.
int popupHeight(int rows, int rowHeight);
int subLevelHeight(int rows, int rowHeight);

// Where a row's text starts, measured from the level's left edge, for a text `textWidth` wide
// in a level `width` wide: centred, centred less 22 (lighting modes), or a fixed x (5 for the
// group menu, 1 for the macro file menu). The second and third levels centre their texts.
int rowTextX(PopupKind kind, int width, int textWidth);
int centredTextX(int width, int textWidth);
// The top of a row's text, vertically centred in the row.
int rowTextY(int row, int rowHeight, int textHeight);

// What the menus show, gathered by the window when a menu opens.
struct PopupTexts {
  int32_t language = 0;
  // Function names 1..47 as the main layout file gives them (index 0 unused); entries 19..21
  // are replaced by `profileNames`.
  std::array<std::string, 48> functionNames{};
  std::array<std::string, 3> profileNames{};
  std::vector<std::string> groupNames;               // at most 12
  std::vector<std::vector<std::string>> macroNames;  // per group, at most 20 each
};

// Row texts of a first-level kind, row 1 first.
std::vector<std::string> popupRowTexts(PopupKind kind, const PopupTexts& texts);

// True for the first-level rows of the button-function menu that open a second level.
bool opensSubMenu(PopupKind kind, int firstRow);
// The second level beside first-level row `firstRow` (7..11): its rows, its texts, its offset
// below the first level's top in rows (may be negative with many groups), and the function
// each row assigns (0 for rows that assign nothing: the group rows and rows out of range).
int subMenuRowCount(int firstRow, int groupCount);
std::vector<std::string> subMenuRowTexts(int firstRow, const PopupTexts& texts);
int subMenuOffsetRows(int firstRow, int groupCount);
int32_t subMenuFunctionCode(int firstRow, int subRow);

// The function code of macro `macroIndex` of group `groupIndex`: (group + 1) × 256 + macro.
int32_t userMacroCode(int groupIndex, int macroIndex);

// What a release on a row does.
struct PopupAction {
  enum class Type {
    None,            // nothing: the menu stays open
    AssignFunction,  // value = function code for the selected button (left-click rule applies)
    ChooseGroup,     // value = group index made current
    MacroFile,       // value = 1 import, 2 export, 3 restore
    SetLedType,      // value = the lighting mode
    LedEventValue,   // value = the value for the selected lighting program (see applyLedEventChoice)
  };
  Type type = Type::None;
  int32_t value = 0;

  bool closesMenus() const { return type != Type::None; }
  bool operator==(const PopupAction&) const = default;
};

// A release on first-level row `row` of `kind`. Rows 7..11 of the button-function menu do
// nothing (their second level acts); a release on no row does nothing.
PopupAction firstLevelRelease(PopupKind kind, int row, int groupCount);
// A release on row `subRow` of the second level beside first-level row `firstRow`. Group rows
// do nothing (their third level acts).
PopupAction subMenuRelease(int firstRow, int subRow, int groupCount);
// A release on row `row` of the macro list of group `groupIndex` holding `macroCount` macros.
PopupAction macroSelRelease(int groupIndex, int row, int macroCount);

// The lighting mode of row 1..5 of the lighting-mode menu: 0, 1, 2, 8, 9; -1 for any other row.
int ledTypeForRow(int row);
// The colour value of row 1..5 of the lighting-colour menu: 0, 1, 3, 5, 7; -1 otherwise.
int ledColorForRow(int row);

// The window message a lighting-event kind answers with (0x83ED, 0x83EE, 0x83EF), 0 otherwise.
int ledEventMessage(PopupKind kind);

// Stores a lighting-event menu's value into the selected program: the step count (kind 8) into
// byte 0, the mode (kind 6) or colour (kind 7) into byte selectedLedLine + 3. Returns false and
// changes nothing for another kind or a line whose byte lies outside the program.
bool applyLedEventChoice(LedProgram& program, PopupKind kind, int selectedLedLine, int value);

}  // namespace tarvosk
