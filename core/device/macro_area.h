#pragma once
// The macro area of the mouse's settings memory: a directory of 8-byte entries at 0x80 (one per
// profile slot and key position that carries a macro or a multimedia key) and, from 0x240 on,
// the encoded macros the mouse plays by itself. planMacroArea decides every byte without
// touching the device; writeMacroArea sends a plan. correctionStep is the ballistic step the
// listener runs when the mouse asks for one.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/memory_block.h"
#include "device/settings_image.h"
#include "macro/macro_record.h"
#include "platform/prompter.h"
#include "settings/settings_record.h"

namespace tarvosk {

class MacroSource;
class ReportChannel;
struct SettingsStore;

inline constexpr uint16_t kMacroDirectoryAddress = 0x80;
inline constexpr uint16_t kMacroDataAddress = 0x240;
inline constexpr uint32_t kMaxMacroBlockSize = 0x2000;
// No LED program may end beyond this address.
inline constexpr uint32_t kLedProgramAddressLimit = 0x4001;

inline constexpr std::string_view kMacroOverflowMessage = "宏存储过多，请减少宏定义按键个数！";
inline constexpr std::string_view kMacroErrorMessage = "Error!";

// Directory flags of a play-mode byte p: A (p & 3 == 2), B (p & 3 == 1), C (p & 3 is 0 or 3 and
// bit 2 set), D (p & 3 is 1 or 2 and bit 3 set).
struct PlayFlags {
  bool a = false;
  bool b = false;
  bool c = false;
  bool d = false;
};
PlayFlags playFlags(uint8_t playMode);

// The HID usage of the key a function code names through the key index table (index
// (code - 70) mod 256), for the given interface language; 0xFF when the index is beyond the table.
uint8_t directoryKeyUsage(int32_t functionCode, int32_t language);

// A user macro whose play mode byte is exactly 2 and whose delays add up to T ms (1 when 0) is
// sent as 40 / T copies when that is above 1: in the copies every event with a code above 0xF6
// becomes a pause and every move counts again in moveCount; copying stops when the 301 event
// slots are full. Any other macro is returned unchanged.
MacroRecord expandRepeats(const MacroRecord& macro);

// Delay units of event `i` (min(delay, 10000) / 10), before the last-event and pause rules.
int delayUnits(const MacroRecord& macro, int i);

// The space one macro takes in the data area.
struct MacroLayout {
  uint32_t unitCount = 0;    // events plus the pause entries their long delays need
  uint32_t streamSize = 0;   // play count and event entries, a multiple of 8
  uint32_t ledAreaSize = 0;  // LED programs (and reserved blocks), each a multiple of 8
  uint32_t blockSize = 0;    // stream + LED area, capped at 0x2000, a multiple of 8

  friend bool operator==(const MacroLayout&, const MacroLayout&) = default;
};
// Sizes of a macro (already expanded). `userMacro`: a user macro without events still counts 3 units.
// The per-kind counts used are at least the number of such events actually present, so a record
// whose stored counts are too low still gets room for every entry.
MacroLayout macroLayout(const MacroRecord& macro, bool userMacro);

// The 8-byte directory entry of a key: `macro` null for a multimedia key (no units, no flags).
std::array<uint8_t, 8> directoryEntry(int32_t functionCode, const MacroRecord* macro, uint32_t unitCount,
                                      uint16_t dataAddress, int32_t language);

// One macro encoded for the data area at `address`: play count, event entries with their pause
// entries, LED programs, zero-filled to `blockSize`. `messages` holds the "Error!" messages to show;
// `fatal` is set when an LED program would end beyond 0x4001 (nothing of the macro is sent then).
struct EncodedMacro {
  std::vector<uint8_t> bytes;
  std::vector<std::string> messages;
  bool fatal = false;
};
EncodedMacro encodeMacro(const MacroRecord& macro, bool userMacro, uint16_t address, uint32_t blockSize);

// Where the macro on key 0 of a slot was placed by the last upload; the ballistic step rewrites it
// there. `placed` is false until an upload completed the macro area with a user macro on that key.
struct CorrectionPlace {
  bool placed = false;
  int32_t functionCode = 0;
  uint16_t dataAddress = 0;
  uint32_t blockSize = 0;

  friend bool operator==(const CorrectionPlace&, const CorrectionPlace&) = default;
};
using CorrectionPlaces = std::array<CorrectionPlace, kProfileSlots>;

// Everything the macro area sends, in order. A Message step is shown to the user at that point.
struct MacroAreaStep {
  enum class Kind { Write, Message };
  Kind kind = Kind::Write;
  MemoryBlock block;
  std::string message;
};
enum class MacroAreaOutcome {
  Completed,
  Overflow,       // a data block would start at or beyond the macro memory size
  EncodingError,  // an LED program would end beyond 0x4001
};
struct MacroAreaPlan {
  std::vector<MacroAreaStep> steps;
  MacroAreaOutcome outcome = MacroAreaOutcome::Completed;
  // Key 0 of every slot (meaningful only when the outcome is Completed).
  CorrectionPlaces correction{};
  // Bytes of the data area in use (from 0x240), for reports and benchmarks.
  uint32_t dataEnd = kMacroDataAddress;
};

// Plans the macro area of the prepared record (prepareUpload) and its translation, for a mouse
// with `macroMemorySize` bytes (2040 or 4088, from the status reply; the address limit of the
// data blocks).
MacroAreaPlan planMacroArea(const SettingsRecord& s, const ButtonTranslation& t, const MacroSource& macros,
                            int macroMemorySize);

enum class MacroAreaResult { Completed, Aborted, DeviceFailed };
// Sends a plan: block writes through `channel`, messages through `prompter`. Stops at the first
// failed report (DeviceFailed); Aborted when the plan ends in an overflow or an encoding error.
MacroAreaResult writeMacroArea(ReportChannel& channel, const MacroAreaPlan& plan, Prompter& prompter);

// Raises the vertical amount B of every move of `macro` by one (direction 1, while below 30) or
// lowers it by one (direction 0, while above 0).
void stepMoveAmounts(MacroRecord& macro, int direction);

// The ballistic step's bytes for a user macro placed at `address` with `blockSize` bytes: the
// move amounts stepped in `macro` itself, then the macro encoded exactly as the upload encodes
// it, so the mouse holds what the next apply would send. nullopt (nothing to send) when the macro
// no longer takes `blockSize` bytes (it changed since the upload) or cannot be encoded.
std::optional<std::vector<uint8_t>> encodeCorrection(MacroRecord& macro, int direction, uint16_t address,
                                                     uint32_t blockSize);

// The ballistic step for the macro on button 0 of the current profile slot: re-encoded with
// encodeCorrection, written to the place the last upload gave it, and saved into its group file.
// Does nothing (returns false) when that button holds no user macro, the last upload did not place
// this macro on that key, or the group no longer holds it. Takes the store's lock, then the channel's.
// Returns true when the mouse took the new data; only then is the file written, so the file never
// holds a step the mouse did not get.
bool correctionStep(int direction, SettingsStore& store, ReportChannel& channel, MacroSource& macros,
                    const CorrectionPlaces& places);

}  // namespace tarvosk
