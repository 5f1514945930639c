#pragma once
// The program's two pop-up menus in both languages, as data: the context menu of the macro
// event list (resources 154 English, 161 second language) and the notification-area menu
// (157, 162), with their command ids, and the rules of their owner-drawn look (item sizes and
// the colours of a selected item), so the window only turns them into widgets.

#include <cstdint>
#include <string>
#include <vector>

namespace tarvosk {

// Resource numbers.
inline constexpr int kEditMenuEnglish = 154;
inline constexpr int kTrayMenuEnglish = 157;
inline constexpr int kEditMenuSecond = 161;
inline constexpr int kTrayMenuSecond = 162;

// Command ids of the event-list context menu.
inline constexpr int32_t kCmdInsertXyMinusMinus = 32791;  // move type 3
inline constexpr int32_t kCmdInsertXyMinusPlus = 32792;   // move type 4
inline constexpr int32_t kCmdInsertXyPlusMinus = 32793;   // move type 5
inline constexpr int32_t kCmdInsertXyPlusPlus = 32794;    // move type 6
inline constexpr int32_t kCmdInsertCpiSet = 32797;
inline constexpr int32_t kCmdInsertCpiReset = 32798;
inline constexpr int32_t kCmdInsertLed = 32799;
inline constexpr int32_t kCmdInsertDelay = 32803;
inline constexpr int32_t kCmdChangeParameters = 32804;
inline constexpr int32_t kCmdModifyDelay = 32805;
inline constexpr int32_t kCmdDeleteEvent = 32806;
inline constexpr int32_t kCmdBeforeLeftPress = 32807;
inline constexpr int32_t kCmdBeforeLeftRelease = 32808;
inline constexpr int32_t kCmdBeforeRightPress = 32809;
inline constexpr int32_t kCmdBeforeRightRelease = 32810;
inline constexpr int32_t kCmdBeforeMiddlePress = 32850;
inline constexpr int32_t kCmdBeforeMiddleRelease = 32851;
inline constexpr int32_t kCmdAfterLeftPress = 32813;
inline constexpr int32_t kCmdAfterLeftRelease = 32814;
inline constexpr int32_t kCmdAfterRightPress = 32815;
inline constexpr int32_t kCmdAfterRightRelease = 32816;
inline constexpr int32_t kCmdAfterMiddlePress = 32847;
inline constexpr int32_t kCmdAfterMiddleRelease = 32848;

// Command ids of the notification-area menu; each language's menu has its own pair.
inline constexpr int32_t kCmdExitDriver = 32800;
inline constexpr int32_t kCmdShowWindow = 32801;
inline constexpr int32_t kCmdExitDriverSecond = 32838;
inline constexpr int32_t kCmdShowWindowSecond = 32837;

// Identifier of a separator and of an item that opens a submenu.
inline constexpr int32_t kMenuSeparatorId = 0;
inline constexpr int32_t kMenuSubmenuId = -1;

struct MenuEntry {
  std::string text;  // UTF-8
  int32_t id = kMenuSeparatorId;
  std::vector<MenuEntry> children;  // the submenu of an item with id kMenuSubmenuId

  bool isSeparator() const { return id == kMenuSeparatorId; }
  bool isSubmenu() const { return id == kMenuSubmenuId; }
};

// The items of a menu resource's first submenu (what is shown when the menu pops up); empty
// for an unknown resource number.
const std::vector<MenuEntry>& menuResource(int resource);

// The resource of the event-list context menu and of the notification-area menu of a language.
int editMenuResource(int32_t language);
int trayMenuResource(int32_t language);

// True for the two commands that show the window and the two that leave the program.
bool isShowWindowCommand(int32_t id);
bool isExitDriverCommand(int32_t id);

// The owner-drawn menu's entry table: one entry per item in depth-first order (a submenu's
// items right after its header), each with its text, its id and, for command items (id above
// 0), its ordinal among command items. At most 50 entries; a menu with more keeps the first 50.
inline constexpr int kOwnerDrawMaxEntries = 50;
struct OwnerDrawEntry {
  std::string text;
  int32_t id = 0;
  int ordinal = -1;  // -1 for separators and submenu headers
};
std::vector<OwnerDrawEntry> ownerDrawEntries(const std::vector<MenuEntry>& menu);

// Measured size of an owner-drawn item: 8 pixels per character (UTF-16 unit) of its text, and
// 20 pixels high, or 1 for a separator.
int ownerDrawItemWidth(const std::string& text);
int ownerDrawItemHeight(bool separator);

struct MenuRgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const MenuRgb&) const = default;
};
// Fill of an unselected item: (0, 120, 153).
MenuRgb ownerDrawItemFill();
// Colour of pixel row `y` of a selected item whose gradient area starts at `top` and is
// `height` rows high: from blue (0, 0, 255) towards cyan (0, 255, 255), each channel stepping by
// (end - start) / height truncated, kept to 8 bits.
MenuRgb ownerDrawGradientRow(int y, int top, int height);
// Separator edge colours: top-left red, bottom-right blue; the line starts 25 pixels right.
inline constexpr int kSeparatorIndent = 25;
inline constexpr int kOwnerDrawTextIndent = 10;

}  // namespace tarvosk
