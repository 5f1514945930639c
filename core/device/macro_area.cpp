#include "device/macro_area.h"

#include <algorithm>
#include <map>

#include "device/consumer_usage.h"
#include "device/macro_area_source.h"
#include "macro/key_tables.h"

namespace tarvosk {

namespace {

// Virtual-key codes of a standard keyboard, row by row, as the directory's key byte indexes them.
constexpr std::array<uint8_t, 79> kKeyIndexTable = {
    0x1B, 0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x2D, 0xC0, 0x31,
    0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30, 0xBD, 0xBB, 0x08, 0x2E, 0x09, 0x51, 0x57,
    0x45, 0x52, 0x54, 0x59, 0x55, 0x49, 0x4F, 0x50, 0xDB, 0xDD, 0xDC, 0x14, 0x41, 0x53, 0x44, 0x46,
    0x47, 0x48, 0x4A, 0x4B, 0x4C, 0xBA, 0xDE, 0x0D, 0xA0, 0x5A, 0x58, 0x43, 0x56, 0x42, 0x4E, 0x4D,
    0xBC, 0xBE, 0xBF, 0xA1, 0xA2, 0xA4, 0x5B, 0x20, 0x5C, 0xA5, 0xA3, 0x25, 0x26, 0x27, 0x28};

constexpr int kMaxUnitsPerEntry = 127;
constexpr int kMaxDelayMs = 10000;
constexpr uint8_t kPauseEntryFull = 0x7F;
constexpr int kCorrectionStepLimit = 30;

uint32_t roundUp8(uint32_t n) { return (n + 7u) & ~7u; }

uint8_t lowByte(uint32_t v) { return static_cast<uint8_t>(v & 0xFF); }

// Writes into a fixed buffer; bytes beyond its end are dropped, so no record, however odd its
// counts, can write outside the block.
class ByteWriter {
 public:
  ByteWriter(std::vector<uint8_t>& buffer, std::size_t position) : m_buffer(buffer), m_position(position) {}
  void put(uint8_t b) {
    if (m_position < m_buffer.size()) m_buffer[m_position] = b;
    ++m_position;
  }
  void put16(uint16_t v) {
    put(lowByte(v));
    put(lowByte(v >> 8));
  }

 private:
  std::vector<uint8_t>& m_buffer;
  std::size_t m_position;
};

// Signs of a move's X and Y by event type: 3 X-,Y-; 4 X-,Y+; 5 X+,Y-; 6 X+,Y+.
bool moveSigns(uint8_t type, int& signX, int& signY) {
  switch (type) {
    case type::kMoveLeftUp: signX = -1, signY = -1; return true;
    case type::kMoveLeftDown: signX = -1, signY = 1; return true;
    case type::kMoveRightUp: signX = 1, signY = -1; return true;
    case type::kMoveRightDown: signX = 1, signY = 1; return true;
    default: return false;
  }
}

void putMove(ByteWriter& w, uint8_t units, const MacroRecord& m, int i) {
  w.put(units);
  w.put(code::kMove);
  int signX = 0;
  int signY = 0;
  if (!moveSigns(m.eventType[i], signX, signY)) return;
  w.put16(static_cast<uint16_t>(signX * m.eventParamA[i]));
  w.put16(static_cast<uint16_t>(signY * m.eventParamB[i]));
}

void putDpi(ByteWriter& w, uint8_t units, const MacroRecord& m, int i) {
  const uint8_t t = m.eventType[i];
  w.put(t == type::kDpiSet ? static_cast<uint8_t>(units + 0x80) : t == type::kDpiReset ? units : 0x00);
  w.put(code::kDpi);
  w.put(lowByte(m.eventParamA[i]));
  w.put(0x00);
}

// Keys, mouse buttons and the reserved kinds: press carries bit 7 in its units byte.
void putKey(ByteWriter& w, uint8_t units, const MacroRecord& m, int i) {
  const uint8_t t = m.eventType[i];
  if (t == type::kPress) {
    w.put(static_cast<uint8_t>(units + 0x80));
    w.put(m.eventCode[i]);
  } else if (t == type::kRelease) {
    w.put(units);
    w.put(m.eventCode[i]);
  }
}

uint8_t playCountLow(const MacroRecord& m, bool userMacro, uint16_t& count) {
  const uint8_t mode = m.playMode & play::kModeMask;
  count = userMacro && (mode == play::kOnce || mode == play::kOnceOwnCode) ? 1 : m.repeatCount;
  return lowByte(count);
}

// Size an LED program takes in the LED area: its count byte, three reserved bytes and four bytes
// per step, padded to 8. A program of 0 steps is sent as one step (the mouse reads at least one).
int ledSteps(const LedProgram& p) { return std::max(1, ledStepCount(p)); }
uint32_t ledProgramSpace(const LedProgram& p) { return roundUp8(4u * static_cast<uint32_t>(ledSteps(p)) + 4u); }

struct KindCounts {
  uint32_t moves = 0, dpi = 0, f7 = 0, fa = 0, led = 0, fb = 0;
};
KindCounts countKinds(const MacroRecord& m) {
  KindCounts k;
  for (int i = 0; i < m.eventCount && i < kMacroEvents; ++i) {
    switch (m.eventCode[i]) {
      case code::kMove: ++k.moves; break;
      case code::kDpi: ++k.dpi; break;
      case code::kReservedF7: ++k.f7; break;
      case code::kReservedFA: ++k.fa; break;
      case code::kLed: ++k.led; break;
      case code::kReservedFB: ++k.fb; break;
      default: break;
    }
  }
  return k;
}

int eventCountOf(const MacroRecord& m) { return std::min<int>(m.eventCount, kMacroEvents); }

}  // namespace

PlayFlags playFlags(uint8_t p) {
  const uint8_t mode = p & play::kModeMask;
  PlayFlags f;
  f.a = mode == 2;
  f.b = mode == 1;
  f.c = (mode == 0 || mode == 3) && (p & 0x04) != 0;
  f.d = (mode == 1 || mode == 2) && (p & 0x08) != 0;
  return f;
}

uint8_t directoryKeyUsage(int32_t functionCode, int32_t language) {
  const uint8_t index = static_cast<uint8_t>(functionCode - 70);
  if (index >= kKeyIndexTable.size()) return 0xFF;
  return virtualKeyToHid(kKeyIndexTable[index], language);
}

MacroRecord expandRepeats(const MacroRecord& macro) {
  if (macro.playMode != play::kOnceOwnCode) return macro;
  const int events = eventCountOf(macro);
  uint32_t total = 0;
  for (int i = 0; i < events; ++i) total += macro.eventDelay[i];
  if (total == 0) total = 1;
  const uint32_t copies = 40 / total;
  if (copies <= 1 || events == 0) return macro;
  MacroRecord out = macro;
  int next = events;
  for (uint32_t copy = 1; copy < copies && next < kMacroEvents; ++copy) {
    for (int i = 0; i < events && next < kMacroEvents; ++i, ++next) {
      out.eventType[next] = macro.eventType[i];
      out.eventCode[next] = macro.eventCode[i] > code::kMove ? code::kPause : macro.eventCode[i];
      out.eventParamA[next] = macro.eventParamA[i];
      out.eventParamB[next] = macro.eventParamB[i];
      out.eventDelay[next] = macro.eventDelay[i];
      if (macro.eventCode[i] == code::kMove) ++out.moveCount;
    }
  }
  out.eventCount = static_cast<uint16_t>(next);
  return out;
}

int delayUnits(const MacroRecord& macro, int i) {
  if (i < 0 || i >= kMacroEvents) return 0;
  return std::min<int>(macro.eventDelay[i], kMaxDelayMs) / 10;
}

MacroLayout macroLayout(const MacroRecord& m, bool userMacro) {
  MacroLayout layout;
  const int events = eventCountOf(m);
  uint32_t units = static_cast<uint32_t>(events);
  for (int i = 0; i < events; ++i) {
    const int u = delayUnits(m, i);
    if (u > kMaxUnitsPerEntry) units += static_cast<uint32_t>(u / kMaxUnitsPerEntry);
  }
  if (userMacro && events == 0) units = 3;
  layout.unitCount = units;

  const KindCounts actual = countKinds(m);
  const uint32_t entries =
      units + 2 * std::max<uint32_t>(m.moveCount, actual.moves) + std::max<uint32_t>(m.dpiCount, actual.dpi) +
      std::max<uint32_t>(m.reservedF7Count, actual.f7) + std::max<uint32_t>(m.reservedFACount, actual.fa) +
      std::max<uint32_t>(m.ledCount, actual.led) + std::max<uint32_t>(m.reservedFBCount, actual.fb);
  layout.streamSize = roundUp8(2 + 2 * entries);

  // The programs the LED events will actually carry; never less than the first ledCount programs.
  uint32_t declared = 0;
  for (int p = 0; p < std::min<int>(m.ledCount, kLedProgramCount); ++p) declared += ledProgramSpace(m.ledPrograms[p]);
  uint32_t carried = 0;
  if (m.ledCount > 0) {
    for (int i = 0; i < events; ++i) {
      if (const auto p = ledProgramIndex(m, i)) carried += ledProgramSpace(m.ledPrograms[*p]);
    }
  }
  uint32_t led = std::max(declared, carried);
  for (int p = 0; p < std::min<int>(m.reservedFBCount, kLedProgramCount); ++p) {
    led += ledProgramSpace(m.reservedFBBlocks[p]);
  }
  layout.ledAreaSize = led;
  layout.blockSize = roundUp8(std::min(led + layout.streamSize, kMaxMacroBlockSize));
  return layout;
}

std::array<uint8_t, 8> directoryEntry(int32_t functionCode, const MacroRecord* macro, uint32_t unitCount,
                                      uint16_t dataAddress, int32_t language) {
  const PlayFlags f = macro ? playFlags(macro->playMode) : PlayFlags{};
  const uint32_t units = macro ? unitCount : 0;
  // Index (code - 22) mod 256: the multimedia codes give 0..9, code 32 gives 10 (Stop).
  const uint16_t usage = consumerUsage(static_cast<uint8_t>(functionCode - kFunctionFirstMultimedia));
  std::array<uint8_t, 8> e{};
  e[0] = 9;  // the pause unit of 10 ms, minus 1
  e[1] = static_cast<uint8_t>((units & 0x7F) | (f.a ? 0x80 : 0));
  e[2] = directoryKeyUsage(functionCode, language);
  e[3] = lowByte(usage);
  e[4] = lowByte(usage >> 8);
  e[5] = lowByte(dataAddress);
  e[6] = static_cast<uint8_t>(((dataAddress >> 8) & 0x3F) | (f.b ? 0x80 : 0) | (f.c ? 0x40 : 0));
  e[7] = static_cast<uint8_t>(((units >> 7) & 0x3F) | (f.d ? 0x40 : 0));
  return e;
}

EncodedMacro encodeMacro(const MacroRecord& m, bool userMacro, uint16_t address, uint32_t blockSize) {
  EncodedMacro out;
  out.bytes.assign(blockSize, 0);
  const MacroLayout layout = macroLayout(m, userMacro);
  ByteWriter w(out.bytes, 0);
  uint16_t count = 0;
  w.put(playCountLow(m, userMacro, count));
  w.put(lowByte(count >> 8));

  const int events = eventCountOf(m);
  uint32_t ledOffset = 0;  // from the start of the LED area
  for (int i = 0; i < events; ++i) {
    // Delay: the last event always one unit; a long one split into pause entries of 127 units
    // that follow the event, the event keeping the rest.
    int u = delayUnits(m, i);
    int pauseEntries = 0;
    std::array<uint8_t, kMaxDelayMs / 10 / kMaxUnitsPerEntry + 1> pause{};
    if (i == events - 1) {
      u = 1;
    } else if (u > kMaxUnitsPerEntry) {
      pauseEntries = u / kMaxUnitsPerEntry;
      for (int p = 0; p < pauseEntries; ++p) {
        if (u > kMaxUnitsPerEntry) {
          u -= kMaxUnitsPerEntry;
          pause[p] = kPauseEntryFull;
        }
      }
    }
    const uint8_t units = static_cast<uint8_t>(std::max(u, 1));

    const uint8_t c = m.eventCode[i];
    if (c == code::kPause) {
      w.put(units);
      w.put(0x00);
    } else if (c == code::kMove) {
      putMove(w, units, m, i);
    } else if (c == code::kDpi) {
      putDpi(w, units, m, i);
    } else if (c == code::kLed) {
      const std::optional<int> program = ledProgramIndex(m, i);
      if (m.ledCount == 0 || !program) {
        // Nothing to point the event at: it is left out (its pause entries still keep the timing).
        out.messages.emplace_back(kMacroErrorMessage);
      } else {
        uint32_t t = 0;
        switch (m.eventType[i]) {
          case type::kLed0: t = 0; break;
          case type::kLed1: t = 1; break;
          case type::kLed2: t = 2; break;
          default: out.messages.emplace_back(kMacroErrorMessage); break;
        }
        const uint32_t ledAddress = address + layout.streamSize + ledOffset;
        w.put(units);
        w.put(code::kLed);
        w.put(lowByte(ledAddress));
        w.put(static_cast<uint8_t>(((ledAddress >> 8) & 0x3F) + 64 * t));
        const LedProgram& p = m.ledPrograms[*program];
        const int steps = ledSteps(p);
        ByteWriter led(out.bytes, layout.streamSize + ledOffset);
        led.put(static_cast<uint8_t>(steps - 1));
        for (int b = 1; b < 4 * steps + 4; ++b) led.put(p.bytes[b]);
        ledOffset += ledProgramSpace(p);
        if (address + layout.streamSize + ledOffset > kLedProgramAddressLimit) {
          out.messages.emplace_back(kMacroErrorMessage);
          out.fatal = true;
          return out;
        }
      }
    } else {
      putKey(w, units, m, i);
    }
    for (int p = 0; p < pauseEntries; ++p) {
      w.put(pause[p]);
      w.put(0x00);
    }
  }
  return out;
}

MacroAreaPlan planMacroArea(const SettingsRecord& s, const ButtonTranslation& t, const MacroSource& macros,
                            int macroMemorySize) {
  struct Key {
    int slot = 0;
    int key = 0;
    int32_t code = 0;
    bool user = false;
    bool shared = false;
    uint32_t address = 0;
    MacroLayout layout;
    MacroRecord macro;
  };
  MacroAreaPlan plan;
  const uint32_t limit = static_cast<uint32_t>(std::clamp(macroMemorySize, 0, 0x10000));

  // Directory pass: place every macro key, sharing the data of an earlier key with the same code
  // (slot 1 is never shared from: the window cannot select it).
  std::vector<Key> keys;
  std::map<int32_t, uint32_t> placed;  // function code -> data address, keys outside slot 1
  uint32_t next = kMacroDataAddress;
  for (int slot = 0; slot < kProfileSlots; ++slot) {
    for (int k = 0; k < kDirectoryKeys; ++k) {
      int button = -1;
      for (int b = 0; b < kButtons; ++b) {
        if (kButtonOrder[b] - 1 == k) button = b;
      }
      if (button < 0) continue;
      const uint8_t device = t.deviceCode[slot][button];
      if (device != device_code::kMacro && device != device_code::kMacroOwnCode && device != device_code::kMultimedia) {
        continue;
      }
      Key key;
      key.slot = slot;
      key.key = k;
      key.code = s.buttonFunction[slot][button];
      key.user = key.code >= kFunctionFirstUserMacro;
      const bool macro = key.code >= kFunctionFirstBuiltInMacro;
      if (key.user) {
        key.macro = expandRepeats(macros.userMacro(key.code / 256 - 1, key.code % 256));
      } else if (macro) {
        key.macro = macros.builtInMacro(builtInMacroIndex(key.code));
      }
      if (macro) key.layout = macroLayout(key.macro, key.user);
      const auto earlier = placed.find(key.code);
      key.shared = earlier != placed.end();
      key.address = key.shared ? earlier->second : next;
      const auto entry = directoryEntry(key.code, macro ? &key.macro : nullptr, key.layout.unitCount,
                                        static_cast<uint16_t>(key.address), s.language);
      plan.steps.push_back({MacroAreaStep::Kind::Write,
                            {static_cast<uint16_t>(kMacroDirectoryAddress + 8 * (kDirectoryKeys * slot + k)),
                             std::vector<uint8_t>(entry.begin(), entry.end())},
                            {}});
      if (!key.shared) next += key.layout.blockSize;
      if (slot != 1) placed[key.code] = key.address;
      keys.push_back(std::move(key));
    }
  }
  plan.dataEnd = next;

  // Data pass: user macros once, built-in macros again for every key that uses them.
  for (const Key& key : keys) {
    if (key.code < kFunctionFirstBuiltInMacro) continue;
    if (key.user && key.shared) continue;
    EncodedMacro encoded = encodeMacro(key.macro, key.user, static_cast<uint16_t>(key.address), key.layout.blockSize);
    for (std::string& message : encoded.messages) {
      plan.steps.push_back({MacroAreaStep::Kind::Message, {}, std::move(message)});
    }
    if (encoded.fatal) {
      plan.outcome = MacroAreaOutcome::EncodingError;
      return plan;
    }
    for (uint32_t offset = 0; offset < encoded.bytes.size(); offset += 8) {
      const uint32_t address = key.address + offset;
      if (address >= limit) {
        plan.steps.push_back({MacroAreaStep::Kind::Message, {}, std::string(kMacroOverflowMessage)});
        plan.outcome = MacroAreaOutcome::Overflow;
        return plan;
      }
      const auto first = encoded.bytes.begin() + offset;
      const auto last = encoded.bytes.begin() + std::min<std::size_t>(offset + 8, encoded.bytes.size());
      plan.steps.push_back({MacroAreaStep::Kind::Write, {static_cast<uint16_t>(address), {first, last}}, {}});
    }
  }

  for (const Key& key : keys) {
    if (key.key == kButtonOrder[0] - 1 && key.user) {
      plan.correction[key.slot] = {true, key.code, static_cast<uint16_t>(key.address), key.layout.blockSize};
    }
  }
  return plan;
}

void stepMoveAmounts(MacroRecord& m, int direction) {
  for (int i = 0; i < eventCountOf(m); ++i) {
    if (m.eventCode[i] != code::kMove) continue;
    uint16_t& b = m.eventParamB[i];
    if (direction == 1 && b < kCorrectionStepLimit) ++b;
    if (direction == 0 && b != 0) --b;
  }
}

std::optional<std::vector<uint8_t>> encodeCorrection(MacroRecord& m, int direction, uint16_t address,
                                                     uint32_t blockSize) {
  stepMoveAmounts(m, direction);
  const MacroRecord expanded = expandRepeats(m);
  if (macroLayout(expanded, true).blockSize != blockSize) return std::nullopt;
  EncodedMacro encoded = encodeMacro(expanded, true, address, blockSize);
  if (encoded.fatal) return std::nullopt;
  return std::move(encoded.bytes);
}

}  // namespace tarvosk
