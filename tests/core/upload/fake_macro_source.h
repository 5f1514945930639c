#pragma once
// An in-memory macro library for the upload tests: groups of macros, the built-in table, and a
// log of what the upload wrote back.

#include <utility>
#include <vector>

#include "device/macro_area_source.h"

namespace tarvosk::test {

class FakeMacroSource : public MacroSource {
 public:
  std::vector<std::vector<MacroRecord>> groups;
  std::vector<MacroRecord> builtIns = std::vector<MacroRecord>(kMacroSlots);
  int refreshes = 0;
  bool refreshSucceeds = true;
  std::vector<std::pair<int, int>> writes;  // (group, index) of every writeUserMacro

  int groupCount() const override { return static_cast<int>(groups.size()); }
  int macroCount(int group) const override {
    return group >= 0 && group < groupCount() ? static_cast<int>(groups[group].size()) : 0;
  }
  MacroRecord userMacro(int group, int index) const override {
    if (index < 0 || index >= macroCount(group)) return {};
    return groups[group][index];
  }
  MacroRecord builtInMacro(int index) const override {
    return index >= 0 && index < static_cast<int>(builtIns.size()) ? builtIns[index] : MacroRecord{};
  }
  bool refreshForUpload() override {
    ++refreshes;
    return refreshSucceeds;
  }
  bool writeUserMacro(int group, int index, const MacroRecord& macro) override {
    if (index < 0 || index >= macroCount(group)) return false;
    groups[group][index] = macro;
    writes.emplace_back(group, index);
    return true;
  }
};

// Appends an event to a macro, keeping its per-kind counts as the editing commands would.
inline void addEvent(MacroRecord& m, uint8_t type, uint8_t code, uint16_t delay, uint16_t a = 0, uint16_t b = 0) {
  const int i = m.eventCount++;
  m.eventType[i] = type;
  m.eventCode[i] = code;
  m.eventParamA[i] = a;
  m.eventParamB[i] = b;
  m.eventDelay[i] = delay;
  switch (code) {
    case code::kMove: ++m.moveCount; break;
    case code::kDpi: ++m.dpiCount; break;
    case code::kLed: ++m.ledCount; break;
    case code::kReservedF7: ++m.reservedF7Count; break;
    case code::kReservedFA: ++m.reservedFACount; break;
    case code::kReservedFB: ++m.reservedFBCount; break;
    default: break;
  }
}

// A macro played `repeat` times with the given events already added by the caller.
inline MacroRecord macroWithOwnCode() {
  MacroRecord m;
  m.playMode = play::kOnceOwnCode;
  return m;
}

inline MacroRecord macroWithMode(uint8_t playMode, uint16_t repeat = 1) {
  MacroRecord m;
  m.playMode = playMode;
  m.repeatCount = repeat;
  return m;
}

}  // namespace tarvosk::test
