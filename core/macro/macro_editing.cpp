#include "macro/macro_editing.h"

#include <algorithm>
#include <array>

#include "platform/text.h"

namespace tarvosk {

namespace {

namespace cmd = macro_command;

// The counter and limit of a counted kind; null for kinds without one.
uint16_t* counterOf(MacroRecord& m, uint8_t eventCode, int& limit) {
  switch (eventCode) {
    case code::kMove: limit = kMaxMoveEvents; return &m.moveCount;
    case code::kDpi: limit = kMaxDpiEvents; return &m.dpiCount;
    case code::kReservedF7: limit = kMaxReservedF7Events; return &m.reservedF7Count;
    case code::kReservedFA: limit = kMaxReservedFAEvents; return &m.reservedFACount;
    default: return nullptr;
  }
}

bool isProgramKind(uint8_t eventCode) { return eventCode == code::kLed || eventCode == code::kReservedFB; }

uint8_t& programCountOf(MacroRecord& m, uint8_t eventCode) {
  return eventCode == code::kLed ? m.ledCount : m.reservedFBCount;
}

std::array<LedProgram, kLedProgramCount>& programsOf(MacroRecord& m, uint8_t eventCode) {
  return eventCode == code::kLed ? m.ledPrograms : m.reservedFBBlocks;
}

void copyEvent(MacroRecord& m, int to, int from) {
  m.eventType[to] = m.eventType[from];
  m.eventCode[to] = m.eventCode[from];
  m.eventParamA[to] = m.eventParamA[from];
  m.eventParamB[to] = m.eventParamB[from];
  m.eventDelay[to] = m.eventDelay[from];
}

void clearEvent(MacroRecord& m, int i) {
  m.eventType[i] = 0;
  m.eventCode[i] = 0;
  m.eventParamA[i] = 0;
  m.eventParamB[i] = 0;
  m.eventDelay[i] = 0;
}

int lineCount(const MacroRecord& m) { return m.eventCount > 0 ? 2 * m.eventCount - 1 : 0; }

// Opens a slot at p (events p.. move up one) holding a fresh event of the given kind.
void openSlot(MacroRecord& m, int p, uint8_t eventCode, uint8_t eventType) {
  const int oldCount = m.eventCount;
  for (int i = oldCount; i > p; --i) copyEvent(m, i, i - 1);
  m.eventCount = static_cast<uint16_t>(oldCount + 1);
  m.eventType[p] = eventType;
  m.eventCode[p] = eventCode;
  m.eventParamA[p] = 0;
  m.eventParamB[p] = 0;
  m.eventDelay[p] = 1;
}

// The integer after the first ':' (the whole text when there is none).
int valueAfterColon(std::string_view text) {
  const std::size_t colon = text.find(':');
  return wtoi(colon == std::string_view::npos ? text : text.substr(colon + 1));
}

int atLeastZero(int v) { return v < 0 ? 0 : v; }

std::optional<int> dpiLevelOfValue(int value) {
  static constexpr std::array<std::pair<int, int>, 12> kLevels{{{200, 1},
                                                                {400, 2},
                                                                {600, 3},
                                                                {800, 4},
                                                                {1000, 5},
                                                                {1200, 6},
                                                                {1600, 7},
                                                                {2000, 9},
                                                                {2400, 11},
                                                                {3200, 13},
                                                                {4000, 14},
                                                                {4800, 15}}};
  for (const auto& [shown, level] : kLevels) {
    if (shown == value) return level;
  }
  return std::nullopt;
}

// Lines whose value "Change parameters" opens: moves and sensitivity settings. (The program of a
// lighting event is edited in the LED program list; keys and buttons have no value.)
bool hasEditableValue(const MacroRecord& m, int e) {
  return m.eventCode[e] == code::kMove || (m.eventCode[e] == code::kDpi && m.eventType[e] == type::kDpiSet);
}

}  // namespace

const std::vector<int>& macroCommandIds() {
  static const std::vector<int> ids{
      cmd::kBeforeLeftPress,   cmd::kBeforeLeftRelease,   cmd::kBeforeRightPress,  cmd::kBeforeRightRelease,
      cmd::kBeforeMiddlePress, cmd::kBeforeMiddleRelease, cmd::kAfterLeftPress,    cmd::kAfterLeftRelease,
      cmd::kAfterRightPress,   cmd::kAfterRightRelease,   cmd::kAfterMiddlePress,  cmd::kAfterMiddleRelease,
      cmd::kInsertMoveLeftUp,  cmd::kInsertMoveLeftDown,  cmd::kInsertMoveRightUp, cmd::kInsertMoveRightDown,
      cmd::kInsertDpiSet,      cmd::kInsertDpiReset,      cmd::kInsertLed,         cmd::kInsertDelay,
      cmd::kChangeParameters,  cmd::kModifyDelay,         cmd::kDeleteEvent};
  return ids;
}

bool insertEvent(MacroRecord& m, int position, uint8_t eventCode, uint8_t eventType,
                 std::vector<std::string_view>& messages) {
  const int count = std::min<int>(m.eventCount, kMacroEvents);
  if (count + 1 > kMacroEvents) {
    messages.push_back(kEditLimitMessage);
    return false;
  }
  const int p = std::clamp(position, 0, count);

  // Everything is checked before anything changes: a refused insert leaves the macro as it was,
  // so the counters always match the events.
  int limit = 0;
  uint16_t* counter = counterOf(m, eventCode, limit);
  if (counter && *counter + 1 > limit) {
    messages.push_back(kEditErrorMessage);
    return false;
  }
  int newProgram = 0;
  if (isProgramKind(eventCode)) {
    const int n = programCountOf(m, eventCode);
    if (n + 1 > kLedProgramCount) {
      messages.push_back(kEditErrorMessage);
      return false;
    }
    for (int i = p; i < count; ++i) {
      if (m.eventCode[i] == eventCode && m.eventParamA[i] + 1 > n) {
        messages.push_back(kEditErrorMessage);
        return false;
      }
    }
    for (int i = p - 1; i >= 0; --i) {
      if (m.eventCode[i] != eventCode) continue;
      newProgram = m.eventParamA[i] == 255 ? 0 : m.eventParamA[i] + 1;
      break;
    }
    if (newProgram > n) {
      messages.push_back(kEditErrorMessage);
      return false;
    }
  }

  openSlot(m, p, eventCode, eventType);
  switch (eventCode) {
    case code::kMove: m.eventParamB[p] = 10; break;
    case code::kDpi: m.eventParamA[p] = 4; break;
    case code::kReservedF7: m.eventParamA[p] = 1; break;
    case code::kReservedFA: m.eventParamA[p] = 387; break;
    default: break;
  }
  if (counter) ++*counter;
  if (isProgramKind(eventCode)) {
    auto& programs = programsOf(m, eventCode);
    for (int i = count; i > p; --i) {
      if (m.eventCode[i] != eventCode) continue;
      const int k = m.eventParamA[i];
      m.eventParamA[i] = static_cast<uint16_t>(k + 1);
      programs[static_cast<std::size_t>(k + 1)] = programs[static_cast<std::size_t>(k)];
    }
    m.eventParamA[p] = static_cast<uint16_t>(newProgram);
    programs[static_cast<std::size_t>(newProgram)] = freshLedProgram();
    ++programCountOf(m, eventCode);
  }
  return true;
}

bool deleteEvent(MacroRecord& m, int e) {
  const int count = std::min<int>(m.eventCount, kMacroEvents);
  if (e < 0 || e >= count) return false;
  const uint8_t eventCode = m.eventCode[e];
  int limit = 0;
  if (uint16_t* counter = counterOf(m, eventCode, limit); counter && *counter > 0) --*counter;
  if (isProgramKind(eventCode) && programCountOf(m, eventCode) > 0) {
    const int c = --programCountOf(m, eventCode);
    auto& programs = programsOf(m, eventCode);
    for (int i = e + 1; i < count; ++i) {
      if (m.eventCode[i] != eventCode) continue;
      const int k = m.eventParamA[i];
      if (k < 1 || k >= kLedProgramCount) continue;  // a damaged index: left for the checker to report
      m.eventParamA[i] = static_cast<uint16_t>(k - 1);
      programs[static_cast<std::size_t>(k - 1)] = programs[static_cast<std::size_t>(k)];
    }
    programs[static_cast<std::size_t>(c)] = LedProgram{};
  }
  for (int i = e; i + 1 < count; ++i) copyEvent(m, i, i + 1);
  clearEvent(m, count - 1);
  m.eventCount = static_cast<uint16_t>(count - 1);
  return true;
}

namespace {

struct CommandKind {
  enum { Counted, ButtonAfter, ButtonBefore } how;
  uint8_t eventCode;
  uint8_t eventType;
};

std::optional<CommandKind> kindOf(int command) {
  using K = CommandKind;
  switch (command) {
    case cmd::kInsertMoveLeftUp: return K{K::Counted, code::kMove, type::kMoveLeftUp};
    case cmd::kInsertMoveLeftDown: return K{K::Counted, code::kMove, type::kMoveLeftDown};
    case cmd::kInsertMoveRightUp: return K{K::Counted, code::kMove, type::kMoveRightUp};
    case cmd::kInsertMoveRightDown: return K{K::Counted, code::kMove, type::kMoveRightDown};
    case cmd::kInsertDpiSet: return K{K::Counted, code::kDpi, type::kDpiSet};
    case cmd::kInsertDpiReset: return K{K::Counted, code::kDpi, type::kDpiReset};
    case cmd::kInsertLed: return K{K::Counted, code::kLed, type::kLed0};
    case cmd::kInsertDelay: return K{K::ButtonAfter, code::kPause, type::kPause};
    case cmd::kAfterLeftPress: return K{K::ButtonAfter, code::kLeftButton, type::kPress};
    case cmd::kAfterLeftRelease: return K{K::ButtonAfter, code::kLeftButton, type::kRelease};
    case cmd::kAfterRightPress: return K{K::ButtonAfter, code::kRightButton, type::kPress};
    case cmd::kAfterRightRelease: return K{K::ButtonAfter, code::kRightButton, type::kRelease};
    case cmd::kAfterMiddlePress: return K{K::ButtonAfter, code::kMiddleButton, type::kPress};
    case cmd::kAfterMiddleRelease: return K{K::ButtonAfter, code::kMiddleButton, type::kRelease};
    case cmd::kBeforeLeftPress: return K{K::ButtonBefore, code::kLeftButton, type::kPress};
    case cmd::kBeforeLeftRelease: return K{K::ButtonBefore, code::kLeftButton, type::kRelease};
    case cmd::kBeforeRightPress: return K{K::ButtonBefore, code::kRightButton, type::kPress};
    case cmd::kBeforeRightRelease: return K{K::ButtonBefore, code::kRightButton, type::kRelease};
    case cmd::kBeforeMiddlePress: return K{K::ButtonBefore, code::kMiddleButton, type::kPress};
    case cmd::kBeforeMiddleRelease: return K{K::ButtonBefore, code::kMiddleButton, type::kRelease};
    default: return std::nullopt;
  }
}

}  // namespace

EditOutcome runMacroCommand(MacroRecord& m, int command, EditCursor& cursor, bool recording) {
  EditOutcome out;
  if (recording) return out;
  const int count = std::min<int>(m.eventCount, kMacroEvents);
  const bool hasLines = count > 0;
  const int selectedEvent = std::max(cursor.selectedLine, 0) / 2;

  if (command == cmd::kChangeParameters || command == cmd::kModifyDelay) {
    const int line = cursor.lineUnderCursor;
    if (!hasLines || line < 0 || line >= lineCount(m)) return out;
    const bool pauseLine = line % 2 == 1;
    if (command == cmd::kModifyDelay ? pauseLine : (!pauseLine && hasEditableValue(m, line / 2))) {
      out.startLineEdit = line;
    }
    return out;
  }

  if (command == cmd::kDeleteEvent) {
    if (!deleteEvent(m, selectedEvent)) return out;
    cursor.lineUnderCursor = cursor.lineUnderCursor < 3 ? 0 : cursor.lineUnderCursor - 2;
    out.changed = true;
  } else {
    const std::optional<CommandKind> kind = kindOf(command);
    if (!kind) return out;
    if (kind->eventCode == code::kLed && m.ledCount >= kMaxLedEvents) {
      out.messages.push_back(kEditLimitMessage);
      return out;
    }
    const bool before = kind->how == CommandKind::ButtonBefore;
    const int position = !hasLines ? 0 : before ? selectedEvent : selectedEvent + 1;
    if (!insertEvent(m, position, kind->eventCode, kind->eventType, out.messages)) return out;
    cursor.lineUnderCursor = hasLines ? cursor.lineUnderCursor + 2 : 0;
    out.changed = true;
  }
  // The rebuilt list selects the line the cursor moved to: the inserted event after an insert
  // after, the same event after an insert before, the event before a deleted one.
  const int lines = lineCount(m);
  cursor.lineUnderCursor = std::clamp(cursor.lineUnderCursor, 0, std::max(lines - 1, 0));
  cursor.selectedLine = lines > 0 ? cursor.lineUnderCursor : -1;
  return out;
}

EditOutcome applyEventLineEdit(MacroRecord& m, int line, std::string_view text) {
  EditOutcome out;
  const int count = std::min<int>(m.eventCount, kMacroEvents);
  if (line < 0 || line >= lineCount(m)) return out;
  const int e = line / 2;
  if (e >= count) return out;

  if (line % 2 == 1) {
    const std::size_t ms = text.find("ms");
    int v = atLeastZero(wtoi(ms == std::string_view::npos ? text : text.substr(0, ms)));
    if (v > kMaxPauseMs) {
      out.messages.push_back(kEditLimitMessage);
      v = kMaxPauseMs;
    }
    m.eventDelay[e] = static_cast<uint16_t>(v);
    out.changed = true;
    return out;
  }

  if (m.eventCode[e] == code::kMove) {
    const std::size_t colon = text.find(':');
    const std::size_t xStart = colon == std::string_view::npos ? 0 : colon + 1;
    const std::size_t comma = text.find(',', xStart);
    int x = atLeastZero(
        wtoi(text.substr(xStart, comma == std::string_view::npos ? std::string_view::npos : comma - xStart)));
    const std::size_t second = colon == std::string_view::npos ? std::string_view::npos : text.find(':', colon + 1);
    int y = second == std::string_view::npos ? m.eventParamB[e] : atLeastZero(wtoi(text.substr(second + 1)));
    if (x > kMaxMoveAmount) {
      out.messages.push_back(kMoveXTooLargeMessage);
      x = kMaxMoveAmount;
    }
    if (y > kMaxMoveAmount) {
      out.messages.push_back(kMoveYTooLargeMessage);
      y = kMaxMoveAmount;
    }
    m.eventParamA[e] = static_cast<uint16_t>(x);
    m.eventParamB[e] = static_cast<uint16_t>(y);
    out.changed = true;
  } else if (m.eventCode[e] == code::kDpi && m.eventType[e] == type::kDpiSet) {
    std::optional<int> level = dpiLevelOfValue(valueAfterColon(text));
    if (!level) {
      out.messages.push_back(kDpiValueMessage);
      level = 4;
    }
    m.eventParamA[e] = static_cast<uint16_t>(*level);
    out.changed = true;
  }
  return out;
}

EditOutcome applyLedLineEdit(MacroRecord& m, int event, int ledLine, std::string_view text) {
  EditOutcome out;
  const std::optional<int> program = ledProgramIndex(m, event);
  if (!program || !ledLineIsTime(ledLine)) return out;
  LedProgram& p = m.ledPrograms[static_cast<std::size_t>(*program)];
  if (ledLine > 4 * ledStepCount(p)) return out;  // not a line the list shows
  int v = atLeastZero(valueAfterColon(text));
  if (v > kMaxLedTime) {
    out.messages.push_back(kEditLimitMessage);
    v = kMaxLedTime;
  }
  p.bytes[static_cast<std::size_t>(ledLine + 3)] = static_cast<uint8_t>(v);
  out.changed = true;
  return out;
}

LedPopup ledPopupForLine(int ledLine) {
  if (ledLine == 0) return LedPopup::StepCount;
  if (ledLine < 0 || ledLine + 3 >= kLedProgramBytes) return LedPopup::None;
  if (ledLine % 4 == 1) return LedPopup::Mode;
  if (ledLine % 4 == 2) return LedPopup::Color;
  return LedPopup::None;
}

bool ledLineIsTime(int ledLine) {
  return ledLine >= 1 && ledLine + 3 < kLedProgramBytes && (ledLine % 4 == 0 || ledLine % 4 == 3);
}

bool applyLedPopupChoice(LedProgram& program, LedPopup popup, int ledLine, int value) {
  if (popup == LedPopup::None || ledPopupForLine(ledLine) != popup) return false;
  switch (popup) {
    case LedPopup::StepCount:
      if (value < 1 || value > 5) return false;
      program.bytes[0] = static_cast<uint8_t>(value);
      return true;
    case LedPopup::Mode:
      if (value < 0 || value > 2) return false;
      break;
    case LedPopup::Color:
      if (value != 0 && value != 1 && value != 3 && value != 5 && value != 7) return false;
      break;
    case LedPopup::None: return false;
  }
  program.bytes[static_cast<std::size_t>(ledLine + 3)] = static_cast<uint8_t>(value);
  return true;
}

}  // namespace tarvosk
