#include "macro/macro_file.h"

#include <algorithm>
#include <optional>

#include "macro/key_tables.h"
#include "platform/profile_file.h"
#include "platform/text.h"

namespace tarvosk {

namespace {

constexpr int kEventFields = 8;

// Reads fields out of one value and remembers the ones that were not three plain digits.
class FieldReader {
 public:
  // `cut`: the value was cut by the read buffer, so a short last field is expected.
  FieldReader(std::string_view value, bool cut) : m_value(value), m_cut(cut) {}

  uint8_t byte(int field) {
    const std::size_t pos = 3 * static_cast<std::size_t>(field);
    if (pos >= m_value.size()) return 0;
    const std::string_view text = m_value.substr(pos, 3);
    const int v = wtoi(text);
    const bool digits = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if ((text.size() != 3 && !m_cut) || !digits || v > 255) {
      if (m_badFields++ == 0) {
        m_firstBadField = field;
        m_firstBadText = std::string(text);
      }
    }
    return static_cast<uint8_t>(static_cast<unsigned>(v) & 0xFF);
  }
  uint16_t word(int field) { return static_cast<uint16_t>(byte(field) | (byte(field + 1) << 8)); }

  int badFields() const { return m_badFields; }
  int firstBadField() const { return m_firstBadField; }
  const std::string& firstBadText() const { return m_firstBadText; }

 private:
  std::string_view m_value;
  bool m_cut;
  int m_badFields = 0;
  int m_firstBadField = -1;
  std::string m_firstBadText;
};

void note(MacroIssues* issues, std::string text) {
  if (issues) issues->push_back(std::move(text));
}

template <typename T>
void clipCount(T& count, int limit, const char* what, MacroIssues* issues) {
  if (count <= limit) return;
  note(issues, std::string(what) + " " + std::to_string(count) + " is above " + std::to_string(limit) +
                   "; clipped to " + std::to_string(limit));
  count = static_cast<T>(limit);
}

void appendPad3(std::string& out, uint8_t value) {
  out += static_cast<char>('0' + value / 100);
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

void appendWord(std::string& out, uint16_t value) {
  appendPad3(out, static_cast<uint8_t>(value & 0xFF));
  appendPad3(out, static_cast<uint8_t>(value >> 8));
}

// Issues of one macro are prefixed with its key, so a file's report reads "macro 3: ...".
class PrefixedIssues {
 public:
  PrefixedIssues(MacroIssues* target, int index) : m_target(target), m_index(index) {}
  MacroIssues* list() { return m_target ? &m_local : nullptr; }
  ~PrefixedIssues() {
    if (!m_target) return;
    for (std::string& s : m_local) m_target->push_back("macro " + std::to_string(m_index) + ": " + s);
  }

 private:
  MacroIssues* m_target;
  int m_index;
  MacroIssues m_local;
};

// Field f starts at character 3f, counted in UTF-16 units as the read buffers count them. A value
// with text other than ASCII (only a hand-edited file has any) gets one char per unit, '?' for the
// units outside ASCII: they stand where they stand and, being no digit, end the number they interrupt.
std::string oneCharPerUnit(std::string_view value) {
  if (std::all_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::string(value);
  }
  std::string out;
  for (char16_t unit : utf8ToUtf16(value)) out += unit < 0x80 ? static_cast<char>(unit) : '?';
  return out;
}

// `storedLength` is the length, in UTF-16 units, of the value in the file, which the built-in
// reader sees only in part.
void decodeFields(std::string_view utf8, std::size_t storedLength, int32_t language, MacroRecord& m,
                  MacroIssues* issues) {
  const std::string value = oneCharPerUnit(utf8);
  FieldReader r(value, storedLength > value.size());
  bool terminated = false;
  for (int u = 0; u < kMacroNameUnits; ++u) {
    m.name[static_cast<std::size_t>(u)] = static_cast<char16_t>(r.word(kFieldName + 2 * u));
    if (m.name[static_cast<std::size_t>(u)] == 0) terminated = true;
  }
  m.playMode = r.byte(kFieldPlayMode);
  m.repeatCount = r.word(kFieldRepeatCount);
  m.eventCount = r.word(kFieldEventCount);
  m.moveCount = r.word(kFieldMoveCount);
  m.reservedF7Count = r.word(kFieldReservedF7Count);
  m.dpiCount = r.word(kFieldDpiCount);
  m.reservedFACount = r.word(kFieldReservedFACount);
  m.ledCount = r.byte(kFieldLedCount);
  m.reservedFBCount = r.byte(kFieldReservedFBCount);
  for (int k = 0; k < kMacroEvents; ++k) {
    const int f = kFieldEvents + kEventFields * k;
    const auto i = static_cast<std::size_t>(k);
    m.eventType[i] = r.byte(f);
    m.eventCode[i] = virtualKeyToHid(r.byte(f + 1), language);
    m.eventParamA[i] = r.word(f + 2);
    m.eventParamB[i] = r.word(f + 4);
    m.eventDelay[i] = r.word(f + 6);
  }
  for (int p = 0; p < kLedProgramCount; ++p) {
    for (int b = 0; b < kLedProgramBytes; ++b) {
      m.ledPrograms[static_cast<std::size_t>(p)].bytes[static_cast<std::size_t>(b)] =
          r.byte(kFieldLedPrograms + kLedProgramBytes * p + b);
    }
  }

  if (!issues) {
    m.eventCount = std::min<uint16_t>(m.eventCount, kMacroEvents);
    m.ledCount = std::min<uint8_t>(m.ledCount, kMaxLedEvents);
    m.reservedFBCount = std::min<uint8_t>(m.reservedFBCount, kMaxReservedFBEvents);
    return;
  }
  if (storedLength < kFieldStringLength) {
    note(issues, "value has " + std::to_string(storedLength) + " of " + std::to_string(kFieldStringLength) +
                     " characters; the missing fields read as 0");
  } else if (storedLength > kFieldStringLength) {
    note(issues, "value has " + std::to_string(storedLength) + " characters; everything past " +
                     std::to_string(kFieldStringLength) + " is ignored");
  }
  if (r.badFields() > 0) {
    note(issues, std::to_string(r.badFields()) + " field(s) are not three digits 000..255 (first: field " +
                     std::to_string(r.firstBadField()) + " \"" + r.firstBadText() + "\"); their low byte is kept");
  }
  if (!terminated) note(issues, "name has no terminating NUL; all 10 units are used");
  clipCount(m.eventCount, kMacroEvents, "eventCount", issues);
  clipCount(m.ledCount, kMaxLedEvents, "ledCount", issues);
  clipCount(m.reservedFBCount, kMaxReservedFBEvents, "reservedFBCount", issues);
}

// Decodes keys 0..count-1 of `doc` into fresh slots; values are cut to bufferChars - 1 units.
void readSlots(const IniDocument& doc, int32_t language, MacroStore& store, std::size_t bufferChars, int limit,
               MacroIssues* issues) {
  store.count = static_cast<int16_t>(readMacroCount(doc, issues, limit));
  for (int i = 0; i < store.count; ++i) {
    PrefixedIssues macroIssues(issues, i);
    const std::string key = std::to_string(i);
    const std::optional<std::string> raw = doc.value(kMacroSection, key);
    if (!raw) note(macroIssues.list(), "key missing; the macro reads as empty");
    const std::string value = doc.readString(kMacroSection, key, "", bufferChars);
    if (raw && value.size() < raw->size() && bufferChars < kMacroValueBufferChars &&
        raw->find_first_not_of('0', value.size()) != std::string::npos) {
      note(macroIssues.list(), "characters past " + std::to_string(bufferChars - 1) +
                                   " of a built-in macro are not read; what they hold is lost");
    }
    MacroRecord& slot = store.slots[static_cast<std::size_t>(i)];
    slot = MacroRecord{};
    decodeFields(value, raw ? utf16Length(*raw) : 0, language, slot, raw ? macroIssues.list() : nullptr);
  }
}

bool readStoreFile(const std::filesystem::path& file, int32_t language, MacroStore& store, Prompter& prompter,
                   std::size_t bufferChars, int limit, MacroIssues* issues) {
  std::error_code ec;
  std::optional<IniDocument> doc;
  if (std::filesystem::is_regular_file(file, ec)) doc = IniDocument::load(file);
  if (!doc) {
    prompter.showMessage(kMissingMacroFileMessage);
    store.count = 0;
    return false;
  }
  readSlots(*doc, language, store, bufferChars, limit, issues);
  return true;
}

}  // namespace

std::string pad3(uint8_t value) {
  std::string out;
  appendPad3(out, value);
  return out;
}

std::string encodeFieldString(const MacroRecord& m, int32_t language) {
  std::string out;
  out.reserve(kFieldStringLength);
  for (char16_t unit : m.name) appendWord(out, static_cast<uint16_t>(unit));
  appendPad3(out, m.playMode);
  appendWord(out, m.repeatCount);
  appendWord(out, m.eventCount);
  appendWord(out, m.moveCount);
  appendWord(out, m.reservedF7Count);
  appendWord(out, m.dpiCount);
  appendWord(out, m.reservedFACount);
  appendPad3(out, m.ledCount);
  appendPad3(out, m.reservedFBCount);
  for (std::size_t k = 0; k < kMacroEvents; ++k) {
    appendPad3(out, m.eventType[k]);
    appendPad3(out, hidToVirtualKey(m.eventCode[k], language));
    appendWord(out, m.eventParamA[k]);
    appendWord(out, m.eventParamB[k]);
    appendWord(out, m.eventDelay[k]);
  }
  for (const LedProgram& p : m.ledPrograms) {
    for (uint8_t b : p.bytes) appendPad3(out, b);
  }
  return out;
}

void decodeFieldString(std::string_view value, int32_t language, MacroRecord& m, MacroIssues* issues) {
  decodeFields(value, utf16Length(value), language, m, issues);
}

int readMacroCount(const IniDocument& doc, MacroIssues* issues, int limit) {
  const int count = doc.readInt(kMacroSection, kMacroCountKey, kMacroCountBufferChars);
  if (count < 0) {
    note(issues, "macroNum " + std::to_string(count) + " is negative; read as 0");
    return 0;
  }
  if (count > limit) {
    note(issues, "macroNum " + std::to_string(count) + " is above " + std::to_string(limit) + "; only macros 0.." +
                     std::to_string(limit - 1) + " are read");
    return limit;
  }
  return count;
}

bool readGroupFile(const std::filesystem::path& file, int32_t language, MacroStore& store, Prompter& prompter,
                   MacroIssues* issues) {
  return readStoreFile(file, language, store, prompter, kMacroValueBufferChars, kMacrosPerGroup, issues);
}

bool readBuiltInMacros(const std::filesystem::path& file, int32_t language, BuiltInMacroTable& table,
                       Prompter& prompter, MacroIssues* issues) {
  return readStoreFile(file, language, table, prompter, kBuiltInValueBufferChars, kMacroSlots, issues);
}

MacroRecord readMacroFromFile(const std::filesystem::path& file, int index, int32_t language) {
  MacroRecord m;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return m;
  const std::optional<IniDocument> doc = IniDocument::load(file);
  if (!doc || index < 0 || index >= readMacroCount(*doc)) return m;
  decodeFieldString(doc->readString(kMacroSection, std::to_string(index), "", kMacroValueBufferChars), language, m);
  return m;
}

bool writeOneMacro(const std::filesystem::path& file, const MacroStore& store, int index, int32_t language) {
  if (index < 0 || index >= kMacroSlots) return false;
  const std::string value = encodeFieldString(store.slots[static_cast<std::size_t>(index)], language);
  return ProfileFile(file).update([&](IniDocument& doc) {
    doc.writeInt(kMacroSection, kMacroCountKey, std::clamp<int>(store.count, 0, kMacroSlots));
    doc.write(kMacroSection, std::to_string(index), value);
  });
}

bool writeAllMacros(const std::filesystem::path& file, const MacroStore& store, int32_t language) {
  const int count = std::clamp<int>(store.count, 0, kMacroSlots);
  return ProfileFile(file).update([&](IniDocument& doc) {
    doc.writeInt(kMacroSection, kMacroCountKey, count);
    for (int i = 0; i < count; ++i) {
      doc.write(kMacroSection, std::to_string(i),
                encodeFieldString(store.slots[static_cast<std::size_t>(i)], language));
    }
  });
}

}  // namespace tarvosk
