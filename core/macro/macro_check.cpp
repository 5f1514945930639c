#include "macro/macro_check.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "macro/key_tables.h"
#include "macro/macro_library.h"
#include "platform/profile_file.h"

namespace tarvosk {

namespace {

std::string hex(unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", value & 0xFFu);
  return buffer;
}

std::string eventPrefix(int i) { return "event " + std::to_string(i) + ": "; }

void checkEvent(const MacroRecord& m, int i, int32_t language, MacroIssues& issues) {
  const auto e = static_cast<std::size_t>(i);
  const uint8_t t = m.eventType[e];
  const uint8_t c = m.eventCode[e];
  const uint16_t a = m.eventParamA[e];
  const std::string at = eventPrefix(i);
  switch (c) {
    case code::kPause:
      if (t != type::kPause) issues.push_back(at + "pause with type " + std::to_string(t) + " (expected 0)");
      return;
    case code::kMove:
      if (t < type::kMoveLeftUp || t > type::kMoveRightDown) {
        issues.push_back(at + "move with unknown type " + std::to_string(t) + "; the mouse gets no movement");
      }
      if (a > 100 || m.eventParamB[e] > 100) {
        issues.push_back(at + "move amounts " + std::to_string(a) + "," + std::to_string(m.eventParamB[e]) +
                         " are above 100");
      }
      return;
    case code::kDpi:
      if (t != type::kDpiSet && t != type::kDpiReset) {
        issues.push_back(at + "DPI change with unknown type " + std::to_string(t));
      } else if (t == type::kDpiSet && (a < 1 || a > 15)) {
        issues.push_back(at + "DPI level " + std::to_string(a) + " is outside 1..15; shown as 800");
      }
      return;
    case code::kLed:
      if (t < type::kLed0 || t > type::kLed2) issues.push_back(at + "LED event with unknown type " + std::to_string(t));
      if (a >= kLedProgramCount) {
        issues.push_back(at + "LED program index " + std::to_string(a) + " is above 4; the event has no program");
      }
      return;
    case code::kReservedF7:
    case code::kReservedFA:
    case code::kReservedFB: return;  // kinds kept as stored; only their counts matter
    default: break;
  }
  if (!hasKeyName(c, language)) issues.push_back(at + "unknown key code " + hex(c) + " (shown as \"Unkown\")");
  if (t != type::kPress && t != type::kRelease) {
    issues.push_back(at + "key " + keyName(c, language) + " with type " + std::to_string(t) +
                     " is neither press nor release; the mouse ignores it");
  }
}

void checkCount(const char* what, unsigned stored, unsigned counted, int limit, MacroIssues& issues) {
  if (static_cast<int>(stored) > limit) {
    issues.push_back(std::string(what) + " " + std::to_string(stored) + " is above its limit " + std::to_string(limit));
  }
  if (stored != counted) {
    issues.push_back(std::string(what) + " " + std::to_string(stored) + " does not match the " +
                     std::to_string(counted) + " such event(s)");
  }
}

}  // namespace

MacroIssues checkMacro(const MacroRecord& m, int32_t language) {
  MacroIssues issues;
  const int events = m.eventCount < kMacroEvents ? m.eventCount : kMacroEvents;
  std::array<unsigned, 256> perCode{};
  for (int i = 0; i < events; ++i) {
    ++perCode[m.eventCode[static_cast<std::size_t>(i)]];
    checkEvent(m, i, language, issues);
  }
  checkCount("moveCount", m.moveCount, perCode[code::kMove], kMaxMoveEvents, issues);
  checkCount("reservedF7Count", m.reservedF7Count, perCode[code::kReservedF7], kMaxReservedF7Events, issues);
  checkCount("dpiCount", m.dpiCount, perCode[code::kDpi], kMaxDpiEvents, issues);
  checkCount("reservedFACount", m.reservedFACount, perCode[code::kReservedFA], kMaxReservedFAEvents, issues);
  checkCount("ledCount", m.ledCount, perCode[code::kLed], kMaxLedEvents, issues);
  checkCount("reservedFBCount", m.reservedFBCount, perCode[code::kReservedFB], kMaxReservedFBEvents, issues);
  for (int p = 0; p < kLedProgramCount; ++p) {
    const LedProgram& program = m.ledPrograms[static_cast<std::size_t>(p)];
    if (program.stepCount() > kLedProgramMaxSteps) {
      issues.push_back("LED program " + std::to_string(p) + " step count " + std::to_string(program.stepCount()) +
                       " is above 16; clipped to 16");
    }
  }
  return issues;
}

std::optional<MacroIssues> checkMacroFile(const std::filesystem::path& file, int32_t language) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  const std::optional<IniDocument> doc = IniDocument::load(file);
  if (!doc) return std::nullopt;
  MacroIssues issues;
  for (const std::string& note : describeReadNotes(doc->readNotes())) issues.push_back("file: " + note);
  if (!doc->hasSection(kMacroSection)) {
    // The program reads such a file as a group without macros; say so rather than "no problems".
    const bool empty = std::filesystem::file_size(file, ec) == 0 && !ec;
    issues.push_back(empty ? "file: it is empty; the program reads it as a group without macros"
                           : "file: it is not a macro file (no [" + std::string(kMacroSection) +
                                 "] section); the program reads it as a group without macros");
    return issues;
  }
  const int count = readMacroCount(*doc, &issues);
  for (int i = 0; i < count; ++i) {
    const std::string prefix = "macro " + std::to_string(i) + ": ";
    const std::string key = std::to_string(i);
    const bool present = doc->value(kMacroSection, key).has_value();
    if (!present) issues.push_back(prefix + "key missing; the macro reads as empty");
    MacroIssues read;
    MacroRecord m;
    decodeFieldString(doc->readString(kMacroSection, key, "", kMacroValueBufferChars), language, m,
                      present ? &read : nullptr);
    for (const std::string& s : read) issues.push_back(prefix + s);
    for (const std::string& s : checkMacro(m, language)) issues.push_back(prefix + s);
  }
  return issues;
}

std::optional<MacroIssues> checkBuiltInMacroFile(const std::filesystem::path& file, int32_t language) {
  // A file that cannot be read is the caller's to report.
  class Quiet : public Prompter {
   public:
    void showMessage(std::string_view) override {}
  } quiet;
  MacroIssues issues;
  BuiltInMacroTable table;
  if (!readBuiltInMacros(file, language, table, quiet, &issues)) return std::nullopt;
  for (int i = 0; i < table.count; ++i) {
    for (const std::string& s : checkMacro(table.slots[static_cast<std::size_t>(i)], language)) {
      issues.push_back("macro " + std::to_string(i) + ": " + s);
    }
  }
  return issues;
}

std::optional<MacroIssues> checkGroupIndexFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  const std::optional<IniDocument> doc = IniDocument::load(file);
  if (!doc) return std::nullopt;
  MacroIssues issues;
  for (const std::string& note : describeReadNotes(doc->readNotes())) issues.push_back("file: " + note);
  if (!doc->hasSection(kGroupCountSection) && !doc->hasSection(kGroupNameSection)) {
    issues.push_back("file: it is not a group index (no [" + std::string(kGroupCountSection) +
                     "] section); the program reads it as a library without groups");
  }
  int count = doc->readInt(kGroupCountSection, kGroupCountKey, kGroupCountBufferChars);
  if (count < 0 || count > kMaxGroups) {
    issues.push_back("macGrpNum " + std::to_string(count) + " is outside 0.." + std::to_string(kMaxGroups));
    count = std::clamp(count, 0, kMaxGroups);
  }
  for (int g = 0; g < count; ++g) {
    const std::string key = std::to_string(g);
    const std::string full = doc->value(kGroupNameSection, key).value_or("");
    const std::string name = doc->readString(kGroupNameSection, key, "", kGroupNameBufferChars);
    const std::string at = "group " + key + " \"" + full + "\": ";
    if (name != full) {
      issues.push_back(at + "name is longer than " + std::to_string(kGroupNameMaxChars) + " characters; read as \"" +
                       name + "\"");
    }
    if (!isUsableGroupName(name)) {
      issues.push_back(at + "name cannot name a file in the macro folder; the group is dropped");
    } else if (!std::filesystem::is_regular_file(groupFile(file.parent_path(), name), ec)) {
      issues.push_back(at + "file \"" + name + std::string(kGroupFileExtension) +
                       "\" is missing; the group is dropped");
    }
  }
  return issues;
}

}  // namespace tarvosk
