#include "macro/macro_record.h"

#include "platform/text.h"

namespace tarvosk {

std::optional<int> ledProgramIndex(const MacroRecord& m, int i) {
  if (i < 0 || i >= m.eventCount || i >= kMacroEvents) return std::nullopt;
  if (m.eventCode[i] != code::kLed) return std::nullopt;
  const int index = m.eventParamA[i];
  if (index >= kLedProgramCount) return std::nullopt;
  return index;
}

std::string macroNameText(const MacroRecord& m) {
  std::u16string units;
  for (char16_t u : m.name) {
    if (u == 0) break;
    units += u;
  }
  return utf16ToUtf8(units);
}

void setMacroName(MacroRecord& m, std::string_view utf8) {
  const std::u16string units = utf8ToUtf16(truncateUtf16(utf8, kMacroNameMaxChars));
  m.name.fill(0);
  for (std::size_t i = 0; i < units.size() && i < static_cast<std::size_t>(kMacroNameMaxChars); ++i) {
    m.name[i] = units[i];
  }
}

bool blankSlot(MacroStore& store, int index) {
  if (index < 0 || index >= kMacroSlots) return false;
  store.slots[static_cast<std::size_t>(index)] = MacroRecord{};
  return true;
}

}  // namespace tarvosk
