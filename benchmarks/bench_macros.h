#pragma once
// Macros and an in-memory library for the upload benchmarks.

#include <vector>

#include "device/macro_area_source.h"

namespace tarvosk::bench {

class TableMacroSource : public MacroSource {
 public:
  std::vector<MacroRecord> group;  // group 0

  int groupCount() const override { return 1; }
  int macroCount(int g) const override { return g == 0 ? static_cast<int>(group.size()) : 0; }
  MacroRecord userMacro(int g, int i) const override {
    return g == 0 && i >= 0 && i < macroCount(0) ? group[static_cast<std::size_t>(i)] : MacroRecord{};
  }
  MacroRecord builtInMacro(int) const override { return {}; }
  bool refreshForUpload() override { return true; }
  bool writeUserMacro(int, int, const MacroRecord&) override { return true; }
};

// A macro of `events` key events (presses and releases, 30 ms apart) with a move and a DPI
// change in it, so every kind of entry is encoded.
inline MacroRecord keyMacro(int events, uint8_t key) {
  MacroRecord m;
  m.playMode = play::kRepeat;
  m.repeatCount = 1;
  for (int i = 0; i < events && i < kMacroEvents; ++i) {
    m.eventType[i] = i % 2 ? type::kRelease : type::kPress;
    m.eventCode[i] = key;
    m.eventDelay[i] = 30;
  }
  m.eventType[1] = type::kMoveRightDown;
  m.eventCode[1] = code::kMove;
  m.eventParamA[1] = 4;
  m.eventParamB[1] = 7;
  m.moveCount = 1;
  m.eventType[2] = type::kDpiSet;
  m.eventCode[2] = code::kDpi;
  m.eventParamA[2] = 3;
  m.dpiCount = 1;
  m.eventCount = static_cast<uint16_t>(events);
  return m;
}

}  // namespace tarvosk::bench
