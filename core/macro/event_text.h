#pragma once
// The texts of the macro page's lists: one line per event with a pause line between events, and
// the lines of a lighting program. Pure functions of the record and the interface language (key
// names and lighting texts differ by language; the event texts are otherwise the same).

#include <cstdint>
#include <string>
#include <vector>

#include "macro/macro_record.h"

namespace tarvosk {

// "    %dms": the pause line shown after an event.
std::string pauseLineText(uint16_t delayMs);

// The line of one event from its fields (never fails; unknown codes and types get fallback texts).
std::string eventText(uint8_t eventType, uint8_t eventCode, uint16_t paramA, uint16_t paramB, int32_t language);
// The line of event i of `m`; empty for i outside 0..eventCount-1.
std::string eventLineText(const MacroRecord& m, int i, int32_t language);

// Every event-list line of `m`: event 0, then for each further event the pause after the event
// before it and the event itself (even line L shows event L / 2, odd line L the pause after it).
std::vector<std::string> eventListLines(const MacroRecord& m, int32_t language);

// The sensitivity a DPI level shows: 1 = 200 ... 15 = 4800; any other level shows 800.
int dpiLevelValue(int level);

// Colour name of an LED step colour byte: Cycle, Blue, Pink, Red, Purple, else the number.
std::string ledColorName(uint8_t color, int32_t language);
// Lighting-mode name of an LED step mode byte; a value past the name table shows as its number.
std::string ledStepModeName(uint8_t mode, int32_t language);

// The lines of a lighting program: the count line, then one line per byte 4..4n+3 (mode, colour,
// on time, gap time per step) with n the step count clipped to 16. Line k >= 1 shows byte k + 3.
std::vector<std::string> ledProgramLines(const LedProgram& p, int32_t language);

}  // namespace tarvosk
