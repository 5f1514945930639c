// Sending the macro area and the ballistic step through the report channel. What is sent is
// decided in macro_area.cpp; this file only delivers it and stops when the mouse stops answering.

#include <algorithm>
#include <span>

#include "device/macro_area.h"
#include "device/macro_area_source.h"
#include "device/report_channel.h"
#include "device/settings_store.h"

namespace tarvosk {

MacroAreaResult writeMacroArea(ReportChannel& channel, const MacroAreaPlan& plan, Prompter& prompter) {
  for (const MacroAreaStep& step : plan.steps) {
    if (step.kind == MacroAreaStep::Kind::Message) {
      prompter.showMessage(step.message);
    } else if (!channel.writeBlock(step.block.address, step.block.bytes)) {
      // Blocks sent after a failed one would land in a mouse that is gone or confused.
      return MacroAreaResult::DeviceFailed;
    }
  }
  return plan.outcome == MacroAreaOutcome::Completed ? MacroAreaResult::Completed : MacroAreaResult::Aborted;
}

bool correctionStep(int direction, SettingsStore& store, ReportChannel& channel, MacroSource& macros,
                    const CorrectionPlaces& places) {
  const auto lock = store.lock();
  const SettingsRecord& s = store.record;
  if (s.currentProfile < 0 || s.currentProfile >= kProfileSlots) return false;
  const CorrectionPlace& place = places[s.currentProfile];
  const int32_t code = s.buttonFunction[s.currentProfile][kButtonOrder[0] - 1];
  // Only the macro the last upload put on this key may be rewritten there: anything else (a
  // function changed since, another profile's macro) would overwrite data of a different size.
  if (!place.placed || code < kFunctionFirstUserMacro || code != place.functionCode) return false;
  const int group = code / 256 - 1;
  const int index = code % 256;
  if (index >= macros.macroCount(group)) return false;
  MacroRecord macro = macros.userMacro(group, index);
  const std::optional<std::vector<uint8_t>> encoded =
      encodeCorrection(macro, direction, place.dataAddress, place.blockSize);
  if (!encoded) return false;
  const std::vector<uint8_t>& bytes = *encoded;
  for (std::size_t offset = 0; offset < bytes.size(); offset += 8) {
    const std::size_t length = std::min<std::size_t>(8, bytes.size() - offset);
    if (!channel.writeBlock(static_cast<uint16_t>(place.dataAddress + offset),
                            std::span<const uint8_t>(bytes.data() + offset, length))) {
      return false;
    }
  }
  macros.writeUserMacro(group, index, macro);
  return true;
}

}  // namespace tarvosk
