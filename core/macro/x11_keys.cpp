#include "macro/x11_keys.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarvosk {

namespace {

// Virtual-key codes by name, for the tables below.
namespace vk {
constexpr uint8_t kCancel = 0x03, kBack = 0x08, kTab = 0x09, kClear = 0x0C, kReturn = 0x0D, kPause = 0x13,
                  kCapital = 0x14, kEscape = 0x1B, kSpace = 0x20, kPrior = 0x21, kNext = 0x22, kEnd = 0x23,
                  kHome = 0x24, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kSelect = 0x29, kExecute = 0x2B,
                  kSnapshot = 0x2C, kInsert = 0x2D, kDelete = 0x2E, kHelp = 0x2F, kLWin = 0x5B, kRWin = 0x5C,
                  kApps = 0x5D, kSleep = 0x5F, kNumpad0 = 0x60, kMultiply = 0x6A, kAdd = 0x6B, kSeparator = 0x6C,
                  kSubtract = 0x6D, kDecimal = 0x6E, kDivide = 0x6F, kF1 = 0x70, kNumLock = 0x90, kScroll = 0x91,
                  kLShift = 0xA0, kRShift = 0xA1, kLControl = 0xA2, kRControl = 0xA3, kLMenu = 0xA4, kRMenu = 0xA5,
                  kBrowserBack = 0xA6, kBrowserForward = 0xA7, kBrowserRefresh = 0xA8, kBrowserStop = 0xA9,
                  kBrowserSearch = 0xAA, kBrowserFavorites = 0xAB, kBrowserHome = 0xAC, kVolumeMute = 0xAD,
                  kVolumeDown = 0xAE, kVolumeUp = 0xAF, kMediaNext = 0xB0, kMediaPrev = 0xB1, kMediaStop = 0xB2,
                  kMediaPlayPause = 0xB3, kLaunchMail = 0xB4, kLaunchMediaSelect = 0xB5, kLaunchApp1 = 0xB6,
                  kLaunchApp2 = 0xB7, kOem1 = 0xBA, kOemPlus = 0xBB, kOemComma = 0xBC, kOemMinus = 0xBD,
                  kOemPeriod = 0xBE, kOem2 = 0xBF, kOem3 = 0xC0, kOem4 = 0xDB, kOem5 = 0xDC, kOem6 = 0xDD, kOem7 = 0xDE,
                  kOem102 = 0xE2;
}  // namespace vk

using Entry = std::pair<uint32_t, uint8_t>;

// Keysyms outside the contiguous ranges handled in code, sorted by keysym.
constexpr std::array kKeysyms = std::to_array<Entry>({
    {0x0020, vk::kSpace},                  // space
    {0x0021, '1'},                         // exclam
    {0x0022, vk::kOem7},                   // quotedbl
    {0x0023, '3'},                         // numbersign
    {0x0024, '4'},                         // dollar
    {0x0025, '5'},                         // percent
    {0x0026, '7'},                         // ampersand
    {0x0027, vk::kOem7},                   // apostrophe
    {0x0028, '9'},                         // parenleft
    {0x0029, '0'},                         // parenright
    {0x002A, '8'},                         // asterisk
    {0x002B, vk::kOemPlus},                // plus
    {0x002C, vk::kOemComma},               // comma
    {0x002D, vk::kOemMinus},               // minus
    {0x002E, vk::kOemPeriod},              // period
    {0x002F, vk::kOem2},                   // slash
    {0x003A, vk::kOem1},                   // colon
    {0x003B, vk::kOem1},                   // semicolon
    {0x003C, vk::kOemComma},               // less
    {0x003D, vk::kOemPlus},                // equal
    {0x003E, vk::kOemPeriod},              // greater
    {0x003F, vk::kOem2},                   // question
    {0x0040, '2'},                         // at
    {0x005B, vk::kOem4},                   // bracketleft
    {0x005C, vk::kOem5},                   // backslash
    {0x005D, vk::kOem6},                   // bracketright
    {0x005E, '6'},                         // asciicircum
    {0x005F, vk::kOemMinus},               // underscore
    {0x0060, vk::kOem3},                   // grave
    {0x007B, vk::kOem4},                   // braceleft
    {0x007C, vk::kOem5},                   // bar
    {0x007D, vk::kOem6},                   // braceright
    {0x007E, vk::kOem3},                   // asciitilde
    {0xFE03, vk::kRMenu},                  // ISO_Level3_Shift (AltGr)
    {0xFE20, vk::kTab},                    // ISO_Left_Tab (Shift+Tab)
    {0xFF08, vk::kBack},                   // BackSpace
    {0xFF09, vk::kTab},                    // Tab
    {0xFF0B, vk::kClear},                  // Clear
    {0xFF0D, vk::kReturn},                 // Return
    {0xFF13, vk::kPause},                  // Pause
    {0xFF14, vk::kScroll},                 // Scroll_Lock
    {0xFF15, vk::kSnapshot},               // Sys_Req (Alt+Print)
    {0xFF1B, vk::kEscape},                 // Escape
    {0xFF50, vk::kHome},                   // Home
    {0xFF51, vk::kLeft},                   // Left
    {0xFF52, vk::kUp},                     // Up
    {0xFF53, vk::kRight},                  // Right
    {0xFF54, vk::kDown},                   // Down
    {0xFF55, vk::kPrior},                  // Prior (Page_Up)
    {0xFF56, vk::kNext},                   // Next (Page_Down)
    {0xFF57, vk::kEnd},                    // End
    {0xFF58, vk::kClear},                  // Begin
    {0xFF60, vk::kSelect},                 // Select
    {0xFF61, vk::kSnapshot},               // Print
    {0xFF62, vk::kExecute},                // Execute
    {0xFF63, vk::kInsert},                 // Insert
    {0xFF67, vk::kApps},                   // Menu
    {0xFF69, vk::kCancel},                 // Cancel
    {0xFF6A, vk::kHelp},                   // Help
    {0xFF6B, vk::kCancel},                 // Break (Ctrl+Pause)
    {0xFF7F, vk::kNumLock},                // Num_Lock
    {0xFF80, vk::kSpace},                  // KP_Space
    {0xFF89, vk::kTab},                    // KP_Tab
    {0xFF8D, vk::kReturn},                 // KP_Enter
    {0xFF95, vk::kHome},                   // KP_Home
    {0xFF96, vk::kLeft},                   // KP_Left
    {0xFF97, vk::kUp},                     // KP_Up
    {0xFF98, vk::kRight},                  // KP_Right
    {0xFF99, vk::kDown},                   // KP_Down
    {0xFF9A, vk::kPrior},                  // KP_Prior
    {0xFF9B, vk::kNext},                   // KP_Next
    {0xFF9C, vk::kEnd},                    // KP_End
    {0xFF9D, vk::kClear},                  // KP_Begin
    {0xFF9E, vk::kInsert},                 // KP_Insert
    {0xFF9F, vk::kDelete},                 // KP_Delete
    {0xFFAA, vk::kMultiply},               // KP_Multiply
    {0xFFAB, vk::kAdd},                    // KP_Add
    {0xFFAC, vk::kSeparator},              // KP_Separator
    {0xFFAD, vk::kSubtract},               // KP_Subtract
    {0xFFAE, vk::kDecimal},                // KP_Decimal
    {0xFFAF, vk::kDivide},                 // KP_Divide
    {0xFFE1, vk::kLShift},                 // Shift_L
    {0xFFE2, vk::kRShift},                 // Shift_R
    {0xFFE3, vk::kLControl},               // Control_L
    {0xFFE4, vk::kRControl},               // Control_R
    {0xFFE5, vk::kCapital},                // Caps_Lock
    {0xFFE7, vk::kLMenu},                  // Meta_L (Alt+Shift on some layouts)
    {0xFFE8, vk::kRMenu},                  // Meta_R
    {0xFFE9, vk::kLMenu},                  // Alt_L
    {0xFFEA, vk::kRMenu},                  // Alt_R
    {0xFFEB, vk::kLWin},                   // Super_L
    {0xFFEC, vk::kRWin},                   // Super_R
    {0xFFFF, vk::kDelete},                 // Delete
    {0x1008FF11, vk::kVolumeDown},         // XF86AudioLowerVolume
    {0x1008FF12, vk::kVolumeMute},         // XF86AudioMute
    {0x1008FF13, vk::kVolumeUp},           // XF86AudioRaiseVolume
    {0x1008FF14, vk::kMediaPlayPause},     // XF86AudioPlay
    {0x1008FF15, vk::kMediaStop},          // XF86AudioStop
    {0x1008FF16, vk::kMediaPrev},          // XF86AudioPrev
    {0x1008FF17, vk::kMediaNext},          // XF86AudioNext
    {0x1008FF18, vk::kBrowserHome},        // XF86HomePage
    {0x1008FF19, vk::kLaunchMail},         // XF86Mail
    {0x1008FF1B, vk::kBrowserSearch},      // XF86Search
    {0x1008FF1D, vk::kLaunchApp2},         // XF86Calculator
    {0x1008FF26, vk::kBrowserBack},        // XF86Back
    {0x1008FF27, vk::kBrowserForward},     // XF86Forward
    {0x1008FF28, vk::kBrowserStop},        // XF86Stop
    {0x1008FF29, vk::kBrowserRefresh},     // XF86Refresh
    {0x1008FF2F, vk::kSleep},              // XF86Sleep
    {0x1008FF30, vk::kBrowserFavorites},   // XF86Favorites
    {0x1008FF31, vk::kMediaPlayPause},     // XF86AudioPause
    {0x1008FF32, vk::kLaunchMediaSelect},  // XF86AudioMedia
    {0x1008FF33, vk::kLaunchApp1},         // XF86MyComputer
});

// Evdev key codes with a virtual key, sorted by code.
constexpr std::array kEvdev = std::to_array<Entry>({
    {1, vk::kEscape},
    {2, '1'},
    {3, '2'},
    {4, '3'},
    {5, '4'},
    {6, '5'},
    {7, '6'},
    {8, '7'},
    {9, '8'},
    {10, '9'},
    {11, '0'},
    {12, vk::kOemMinus},
    {13, vk::kOemPlus},
    {14, vk::kBack},
    {15, vk::kTab},
    {16, 'Q'},
    {17, 'W'},
    {18, 'E'},
    {19, 'R'},
    {20, 'T'},
    {21, 'Y'},
    {22, 'U'},
    {23, 'I'},
    {24, 'O'},
    {25, 'P'},
    {26, vk::kOem4},
    {27, vk::kOem6},
    {28, vk::kReturn},
    {29, vk::kLControl},
    {30, 'A'},
    {31, 'S'},
    {32, 'D'},
    {33, 'F'},
    {34, 'G'},
    {35, 'H'},
    {36, 'J'},
    {37, 'K'},
    {38, 'L'},
    {39, vk::kOem1},
    {40, vk::kOem7},
    {41, vk::kOem3},
    {42, vk::kLShift},
    {43, vk::kOem5},
    {44, 'Z'},
    {45, 'X'},
    {46, 'C'},
    {47, 'V'},
    {48, 'B'},
    {49, 'N'},
    {50, 'M'},
    {51, vk::kOemComma},
    {52, vk::kOemPeriod},
    {53, vk::kOem2},
    {54, vk::kRShift},
    {55, vk::kMultiply},
    {56, vk::kLMenu},
    {57, vk::kSpace},
    {58, vk::kCapital},
    {59, vk::kF1},
    {60, vk::kF1 + 1},
    {61, vk::kF1 + 2},
    {62, vk::kF1 + 3},
    {63, vk::kF1 + 4},
    {64, vk::kF1 + 5},
    {65, vk::kF1 + 6},
    {66, vk::kF1 + 7},
    {67, vk::kF1 + 8},
    {68, vk::kF1 + 9},
    {69, vk::kNumLock},
    {70, vk::kScroll},
    {71, vk::kNumpad0 + 7},
    {72, vk::kNumpad0 + 8},
    {73, vk::kNumpad0 + 9},
    {74, vk::kSubtract},
    {75, vk::kNumpad0 + 4},
    {76, vk::kNumpad0 + 5},
    {77, vk::kNumpad0 + 6},
    {78, vk::kAdd},
    {79, vk::kNumpad0 + 1},
    {80, vk::kNumpad0 + 2},
    {81, vk::kNumpad0 + 3},
    {82, vk::kNumpad0},
    {83, vk::kDecimal},
    {86, vk::kOem102},
    {87, vk::kF1 + 10},
    {88, vk::kF1 + 11},
    {96, vk::kReturn},
    {97, vk::kRControl},
    {98, vk::kDivide},
    {99, vk::kSnapshot},
    {100, vk::kRMenu},
    {102, vk::kHome},
    {103, vk::kUp},
    {104, vk::kPrior},
    {105, vk::kLeft},
    {106, vk::kRight},
    {107, vk::kEnd},
    {108, vk::kDown},
    {109, vk::kNext},
    {110, vk::kInsert},
    {111, vk::kDelete},
    {113, vk::kVolumeMute},
    {114, vk::kVolumeDown},
    {115, vk::kVolumeUp},
    {119, vk::kPause},
    {121, vk::kSeparator},
    {125, vk::kLWin},
    {126, vk::kRWin},
    {127, vk::kApps},
    {128, vk::kBrowserStop},
    {138, vk::kHelp},
    {139, vk::kApps},
    {140, vk::kLaunchApp2},
    {142, vk::kSleep},
    {155, vk::kLaunchMail},
    {156, vk::kBrowserFavorites},
    {157, vk::kLaunchApp1},
    {158, vk::kBrowserBack},
    {159, vk::kBrowserForward},
    {163, vk::kMediaNext},
    {164, vk::kMediaPlayPause},
    {165, vk::kMediaPrev},
    {166, vk::kMediaStop},
    {172, vk::kBrowserHome},
    {173, vk::kBrowserRefresh},
    {183, vk::kF1 + 12},
    {184, vk::kF1 + 13},
    {185, vk::kF1 + 14},
    {186, vk::kF1 + 15},
    {187, vk::kF1 + 16},
    {188, vk::kF1 + 17},
    {189, vk::kF1 + 18},
    {190, vk::kF1 + 19},
    {191, vk::kF1 + 20},
    {192, vk::kF1 + 21},
    {193, vk::kF1 + 22},
    {194, vk::kF1 + 23},
    {200, vk::kMediaPlayPause},
    {201, vk::kMediaPlayPause},
    {210, vk::kSnapshot},
    {217, vk::kBrowserSearch},
    {226, vk::kLaunchMediaSelect},
});

template <std::size_t N>
constexpr bool sortedUnique(const std::array<Entry, N>& table) {
  for (std::size_t i = 1; i < N; ++i) {
    if (table[i - 1].first >= table[i].first) return false;
  }
  return true;
}
static_assert(sortedUnique(kKeysyms), "keysym table must stay sorted for the binary search");
static_assert(sortedUnique(kEvdev), "evdev table must stay sorted for the binary search");

template <std::size_t N>
std::optional<uint8_t> lookUp(const std::array<Entry, N>& table, uint32_t key) {
  const auto it =
      std::lower_bound(table.begin(), table.end(), key, [](const Entry& e, uint32_t k) { return e.first < k; });
  if (it == table.end() || it->first != key) return std::nullopt;
  return it->second;
}

}  // namespace

std::optional<uint8_t> virtualKeyFromKeysym(uint32_t keysym) {
  if (keysym >= 0x41 && keysym <= 0x5A) return static_cast<uint8_t>(keysym);                                // A..Z
  if (keysym >= 0x61 && keysym <= 0x7A) return static_cast<uint8_t>(keysym - 0x20);                         // a..z
  if (keysym >= 0x30 && keysym <= 0x39) return static_cast<uint8_t>(keysym);                                // 0..9
  if (keysym >= 0xFFB0 && keysym <= 0xFFB9) return static_cast<uint8_t>(vk::kNumpad0 + (keysym - 0xFFB0));  // KP_0..9
  if (keysym >= 0xFFBE && keysym <= 0xFFD5) return static_cast<uint8_t>(vk::kF1 + (keysym - 0xFFBE));       // F1..F24
  return lookUp(kKeysyms, keysym);
}

std::optional<uint8_t> virtualKeyFromEvdevScanCode(uint32_t evdevCode) { return lookUp(kEvdev, evdevCode); }

std::optional<uint8_t> virtualKeyFromX11Keycode(uint32_t keycode) {
  if (keycode < 8) return std::nullopt;
  return virtualKeyFromEvdevScanCode(keycode - 8);
}

}  // namespace tarvosk
