#pragma once
// The in-memory macro: one `MacroRecord` per macro, the `LedProgram` blocks its lighting events
// use, and the two tables that hold macros (`MacroStore` for the current group, the built-in
// macro table read from constMacro.dat). Plain data; the file format lives in macro_file.h and
// the mouse encoding in the device code.
//
// Every count and index inside a record may come from a hand-edited file. The readers clip the
// counts that index an array (`eventCount` <= 301, `ledCount` <= 5, `reservedFBCount` <= 5), so
// code may loop `i < eventCount` over the event arrays. The other counts (`moveCount`,
// `dpiCount`, `reservedF7Count`, `reservedFACount`) are kept as read; they size things, they never
// index. Per-event values (`eventParamA` of an LED event, the step count of an `LedProgram`) are
// kept as read too: use ledProgramIndex() and ledStepCount() before indexing with them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvosk {

inline constexpr int kMacroEvents = 301;      // event slots per macro
inline constexpr int kMacroNameUnits = 10;    // UTF-16 units of `name`, NUL included
inline constexpr int kMacroNameMaxChars = 9;  // what the name editor admits (units before the NUL)
inline constexpr int kLedProgramCount = 5;    // `ledPrograms` and `reservedFBBlocks` per macro
inline constexpr int kLedProgramBytes = 68;
inline constexpr int kLedProgramMaxSteps = 16;  // (68 - 4) / 4
inline constexpr int kMacroSlots = 21;          // slots of a MacroStore; slot 20 is the blank template
inline constexpr int kMacrosPerGroup = 20;      // slots 0..19 hold macros
inline constexpr int kBlankSlot = 20;

// Limits of the per-kind counts (the editing commands refuse to go past them).
inline constexpr int kMaxMoveEvents = 50;
inline constexpr int kMaxReservedF7Events = 5;
inline constexpr int kMaxDpiEvents = 5;
inline constexpr int kMaxReservedFAEvents = 5;
inline constexpr int kMaxLedEvents = 5;
inline constexpr int kMaxReservedFBEvents = 5;

// `eventCode` values. Keys are HID keyboard usages 0x04..0xE7.
namespace code {
inline constexpr uint8_t kPause = 0x00;  // "[Delay]": type 0, the pause only
inline constexpr uint8_t kFirstKey = 0x04;
inline constexpr uint8_t kLastKey = 0xE7;
inline constexpr uint8_t kLeftButton = 0xF1;
inline constexpr uint8_t kMiddleButton = 0xF2;
inline constexpr uint8_t kRightButton = 0xF3;
inline constexpr uint8_t kMove = 0xF6;        // A = X amount, B = Y amount (0..100); type gives signs
inline constexpr uint8_t kReservedF7 = 0xF7;  // files only; counted and limited
inline constexpr uint8_t kDpi = 0xF8;         // A = sensitivity level 1..15 (type 9), B = 0
inline constexpr uint8_t kLed = 0xF9;         // A = LedProgram index 0..4, B = 0
inline constexpr uint8_t kReservedFA = 0xFA;  // files only; counted and limited
inline constexpr uint8_t kReservedFB = 0xFB;  // files only; A = index into reservedFBBlocks
}  // namespace code

// `eventType` values.
namespace type {
inline constexpr uint8_t kPause = 0;
inline constexpr uint8_t kPress = 1;  // keys and mouse buttons
inline constexpr uint8_t kRelease = 2;
inline constexpr uint8_t kMoveLeftUp = 3;     // X-, Y-
inline constexpr uint8_t kMoveLeftDown = 4;   // X-, Y+
inline constexpr uint8_t kMoveRightUp = 5;    // X+, Y-
inline constexpr uint8_t kMoveRightDown = 6;  // X+, Y+
inline constexpr uint8_t kDpiSet = 9;
inline constexpr uint8_t kDpiReset = 10;  // back to the value in force before the macro ran
inline constexpr uint8_t kLed0 = 13;
inline constexpr uint8_t kLed1 = 14;
inline constexpr uint8_t kLed2 = 15;
}  // namespace type

// `playMode`: only the low two bits mean something (higher bits are kept as stored).
namespace play {
inline constexpr uint8_t kRepeat = 0;  // play `repeatCount` times
inline constexpr uint8_t kOnce = 1;
inline constexpr uint8_t kOnceOwnCode = 2;  // once, sent to the mouse with its own function code
inline constexpr uint8_t kModeMask = 0x03;
}  // namespace play

// 68 bytes driving the lighting for an LED event. Byte 0 is the step count ("Len", 1..16 in
// use), bytes 1..3 are reserved (0), then four bytes per step k:
//   4 + 4k  lighting mode (index into the lighting-mode name table),
//   5 + 4k  colour (0 cycle, 1 blue, 3 pink, 5 red, 7 purple),
//   6 + 4k  on time in units of 100 ms (0..100),
//   7 + 4k  gap time in units of 100 ms (0..100).
struct LedProgram {
  std::array<uint8_t, kLedProgramBytes> bytes{};

  uint8_t stepCount() const { return bytes[0]; }
  // Byte offsets of step k's fields (k < kLedProgramMaxSteps).
  static constexpr std::size_t modeByte(int k) { return 4 + 4 * static_cast<std::size_t>(k); }
  static constexpr std::size_t colorByte(int k) { return 5 + 4 * static_cast<std::size_t>(k); }
  static constexpr std::size_t onTimeByte(int k) { return 6 + 4 * static_cast<std::size_t>(k); }
  static constexpr std::size_t gapTimeByte(int k) { return 7 + 4 * static_cast<std::size_t>(k); }

  friend bool operator==(const LedProgram&, const LedProgram&) = default;
};
static_assert(sizeof(LedProgram) == kLedProgramBytes);

// The step count clipped to what the 68 bytes hold (a file may store up to 255).
inline int ledStepCount(const LedProgram& p) {
  return p.bytes[0] > kLedProgramMaxSteps ? kLedProgramMaxSteps : p.bytes[0];
}

// A program as a freshly inserted LED event gets it: one step, mode 0, colour 0, times 0.
inline LedProgram freshLedProgram() {
  LedProgram p;
  p.bytes[0] = 1;
  return p;
}

// One macro. Event i is valid for i < eventCount; the arrays are indexed by event number, so
// event i is (eventType[i], eventCode[i], eventParamA[i], eventParamB[i], eventDelay[i]).
struct MacroRecord {
  std::array<char16_t, kMacroNameUnits> name{};  // UTF-16, NUL-terminated inside the 10 units
  uint8_t playMode = 0;                          // low two bits: see `play`
  uint16_t repeatCount = 0;                      // 1..65535; 1 while playMode & 3 is 1 or 2
  uint16_t eventCount = 0;                       // 0..301 (readers clip)
  uint16_t moveCount = 0;                        // events with code 0xF6; limit 50
  uint16_t reservedF7Count = 0;                  // events with code 0xF7; limit 5
  uint16_t dpiCount = 0;                         // events with code 0xF8; limit 5
  uint16_t reservedFACount = 0;                  // events with code 0xFA; limit 5
  uint8_t ledCount = 0;                          // events with code 0xF9 = ledPrograms in use; 0..5 (readers clip)
  uint8_t reservedFBCount = 0;                   // events with code 0xFB; 0..5 (readers clip)
  std::array<uint8_t, kMacroEvents> eventType{};
  std::array<uint8_t, kMacroEvents> eventCode{};  // HID usage for keys, see `code`
  std::array<uint16_t, kMacroEvents> eventParamA{};
  std::array<uint16_t, kMacroEvents> eventParamB{};
  std::array<uint16_t, kMacroEvents> eventDelay{};  // pause in ms after the event
  std::array<LedProgram, kLedProgramCount> ledPrograms{};
  std::array<LedProgram, kLedProgramCount> reservedFBBlocks{};  // never stored in a macro file

  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

// The LedProgram index of event i when it is an LED event whose `eventParamA` names one of the
// five programs; nullopt otherwise (including i outside 0..eventCount-1).
std::optional<int> ledProgramIndex(const MacroRecord& m, int i);

// The name as UTF-8, up to the first NUL unit or all 10 units when there is none.
std::string macroNameText(const MacroRecord& m);
// Stores `utf8` as the name, cut to 9 UTF-16 units (never splitting a character) and NUL-padded.
void setMacroName(MacroRecord& m, std::string_view utf8);

// The working store of the current group (also the shape of the built-in macro table).
// `count` is 0..20 after every group reader and slot 20 stays all zero (recording copies it to
// blank a macro). The built-in macro table uses all 21 slots (count 0..21): function codes
// 32..52 name built-in macros 0..20.
struct MacroStore {
  int16_t count = 0;
  std::array<MacroRecord, kMacroSlots> slots{};
};

// The built-in macros from constMacro.dat; read by the settings upload for function codes 32+.
using BuiltInMacroTable = MacroStore;

// Sets every field of slot `index` to zero; false (nothing changed) for an index outside 0..20.
bool blankSlot(MacroStore& store, int index);

}  // namespace tarvosk
