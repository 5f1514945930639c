#include "platform/profile_file.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "platform/file_replace.h"
#include "platform/text.h"

namespace tarvosk {

namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// UTF-16 without a byte-order mark: INI text is mostly ASCII, so one byte of nearly every pair
// is zero. UTF-8 text never holds a zero byte.
std::optional<bool> guessUtf16LittleEndian(std::string_view bytes) {
  const std::size_t pairs = std::min<std::size_t>(bytes.size(), 4096) / 2;
  if (pairs < 2) return std::nullopt;
  std::size_t zeroLow = 0;
  std::size_t zeroHigh = 0;
  for (std::size_t i = 0; i < pairs; ++i) {
    zeroLow += bytes[2 * i] == 0;
    zeroHigh += bytes[2 * i + 1] == 0;
  }
  if (zeroHigh * 2 >= pairs && zeroLow * 20 < pairs) return true;
  if (zeroLow * 2 >= pairs && zeroHigh * 20 < pairs) return false;
  return std::nullopt;
}

std::string decodeUtf16(std::string_view bytes, bool little) {
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += little ? static_cast<char16_t>(b(i) | (b(i + 1) << 8)) : static_cast<char16_t>((b(i) << 8) | b(i + 1));
  }
  return utf16ToUtf8(units);
}

// The file's text as UTF-8, and whether it started with a UTF-8 byte-order mark.
std::string decodeFileBytes(std::string_view bytes, IniReadNotes& notes, bool& utf8Mark) {
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::string text;
  int marks = 0;
  if (bytes.size() >= 2 && ((b(0) == 0xFF && b(1) == 0xFE) || (b(0) == 0xFE && b(1) == 0xFF))) {
    text = decodeUtf16(bytes.substr(2), b(0) == 0xFF);
    marks = 1;
  } else if (const std::optional<bool> little = guessUtf16LittleEndian(bytes)) {
    text = decodeUtf16(bytes, *little);
    notes.utf16WithoutByteOrderMark = true;
  } else {
    text = sanitizeUtf8(bytes);
    notes.malformedUtf8 = text != bytes;
  }
  // A tool that added a mark to a file that had one leaves two; none of them is text.
  std::string_view rest = text;
  while (rest.substr(0, 3) == kUtf8Mark) {
    rest.remove_prefix(3);
    ++marks;
  }
  utf8Mark = marks > 0 && !(b(0) == 0xFF || b(0) == 0xFE);
  notes.extraByteOrderMarks = marks > 1;
  notes.nulCharacters = rest.find('\0') != std::string_view::npos;
  return std::string(rest);
}

// Blanks as the private-profile functions see them: white space, including the Unicode spaces,
// and ^Z (the DOS end-of-file mark some copied files end with).
constexpr std::string_view kWideBlanks[] = {
    "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82", "\xE2\x80\x83",
    "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A",
    "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80",
};

bool isNarrowBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

std::string_view trimProfileBlanks(std::string_view t) {
  for (bool again = true; again && !t.empty();) {
    again = false;
    if (isNarrowBlank(t.front())) {
      t.remove_prefix(1);
      again = true;
      continue;
    }
    for (std::string_view w : kWideBlanks) {
      if (t.starts_with(w)) {
        t.remove_prefix(w.size());
        again = true;
        break;
      }
    }
  }
  for (bool again = true; again && !t.empty();) {
    again = false;
    if (isNarrowBlank(t.back())) {
      t.remove_suffix(1);
      again = true;
      continue;
    }
    for (std::string_view w : kWideBlanks) {
      if (t.ends_with(w)) {
        t.remove_suffix(w.size());
        again = true;
        break;
      }
    }
  }
  return t;
}

std::string folded(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::vector<std::string> describeReadNotes(const IniReadNotes& notes) {
  std::vector<std::string> out;
  if (notes.utf16WithoutByteOrderMark) out.emplace_back("it is UTF-16 without a byte-order mark; read as such");
  if (notes.extraByteOrderMarks) out.emplace_back("it starts with more than one byte-order mark; all were skipped");
  if (notes.malformedUtf8) out.emplace_back("it holds bytes that are not UTF-8 text; they read as \xEF\xBF\xBD");
  if (notes.nulCharacters) out.emplace_back("it holds NUL characters; a value ends at the first one");
  return out;
}

IniDocument::Line IniDocument::classify(std::string text) {
  Line line;
  line.text = std::move(text);
  const std::string_view all = line.text;
  const auto offset = [&](std::string_view part) { return static_cast<uint32_t>(part.data() - all.data()); };
  const auto setName = [&](std::string_view part) {
    line.nameStart = offset(part);
    line.nameSize = static_cast<uint32_t>(part.size());
  };
  const std::string_view t = trimProfileBlanks(all);
  const std::size_t close = t.rfind(']');
  if (t.empty()) {
    line.kind = LineKind::Blank;
  } else if (t.front() == ';') {
    line.kind = LineKind::Comment;
  } else if (t.front() == '[' && close != std::string_view::npos) {
    line.kind = LineKind::Section;
    setName(trimProfileBlanks(t.substr(1, close - 1)));
  } else if (const std::size_t eq = t.find('='); eq != std::string_view::npos) {
    line.kind = LineKind::Key;
    setName(trimProfileBlanks(t.substr(0, eq)));
    const std::string_view value = trimProfileBlanks(t.substr(eq + 1));
    line.valueStart = offset(value);
    line.valueSize = static_cast<uint32_t>(value.size());
  } else {
    // A line without '=' names a key without a value: it reads as missing, but a write of that
    // key gives it its value where it stands.
    line.kind = LineKind::Other;
    setName(t);
  }
  return line;
}

std::string IniDocument::keyId(std::size_t section, std::string_view key) {
  std::string id = std::to_string(section);
  id += '\n';  // never part of a key name
  id += folded(key);
  return id;
}

void IniDocument::addLine(Line line) {
  if (line.kind == LineKind::Section) {
    m_sectionIndex.try_emplace(folded(line.name()), m_sections.size());
    Section& s = m_sections.emplace_back();
    s.hasHeader = true;
    s.header = std::move(line);
    return;
  }
  const std::size_t index = m_sections.size() - 1;
  Section& s = m_sections.back();
  if (line.kind == LineKind::Key || line.kind == LineKind::Other) {
    m_keyIndex.try_emplace(keyId(index, line.name()), KeyPlace{index, s.body.size()});
  }
  s.body.push_back(std::move(line));
}

IniDocument IniDocument::parse(std::string_view bytes) {
  IniDocument doc;
  const std::string text = decodeFileBytes(bytes, doc.m_notes, doc.m_byteOrderMark);
  // CR, LF and CR LF each end a line; the first ending found is the one writes use.
  if (const std::size_t first = text.find_first_of("\r\n"); first != std::string::npos) {
    doc.m_newline = text[first] == '\n' ? "\n" : text.compare(first, 2, "\r\n") == 0 ? "\r\n" : "\r";
  }
  doc.m_keyIndex.reserve(1024);  // the program's largest files; growth beyond is amortised
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    doc.addLine(classify(text.substr(start, end - start)));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return doc;
}

std::optional<IniDocument> IniDocument::load(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = readRegularFile(path);
  if (!bytes) return std::nullopt;
  return parse(*bytes);
}

std::size_t IniDocument::findSection(std::string_view section) const {
  const auto found = m_sectionIndex.find(folded(section));
  return found == m_sectionIndex.end() ? npos : found->second;
}

const IniDocument::KeyPlace* IniDocument::findKey(std::size_t index, std::string_view key) const {
  const auto found = m_keyIndex.find(keyId(index, key));
  return found == m_keyIndex.end() ? nullptr : &found->second;
}

bool IniDocument::hasSection(std::string_view section) const { return findSection(section) != npos; }

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
  const std::size_t index = findSection(section);
  if (index == npos) return std::nullopt;
  const KeyPlace* place = findKey(index, key);
  if (!place) return std::nullopt;
  const Line& line = m_sections[place->section].body[place->line];
  if (line.kind != LineKind::Key) return std::nullopt;
  std::string_view v = line.value();
  v = v.substr(0, v.find('\0'));  // the functions hand out C strings
  return std::string(unquote(v));
}

std::string IniDocument::readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferChars) const {
  if (bufferChars == 0) return {};
  const std::optional<std::string> found = value(section, key);
  if (found) return truncateUtf16(*found, bufferChars - 1);
  while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
  return truncateUtf16(defaultValue, bufferChars - 1);
}

int IniDocument::readInt(std::string_view section, std::string_view key, std::size_t bufferChars) const {
  return wtoi(readString(section, key, "", bufferChars));
}

void IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
  // Line breaks inside a value would split it into lines of their own on the next read.
  std::string clean(value);
  for (char& c : clean) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  const std::size_t index = findSection(section);
  if (index == npos) {
    addLine(classify("[" + std::string(section) + "]"));
    addLine(classify(std::string(key) + "=" + clean));
    m_changed = true;
    return;
  }
  Section& s = m_sections[index];
  if (const KeyPlace* place = findKey(index, key)) {
    Line& line = s.body[place->line];
    Line updated = classify(std::string(line.name()) + "=" + clean);
    if (line.kind == LineKind::Key && updated.value() == line.value()) return;  // nothing to change
    line = std::move(updated);
    m_changed = true;
    return;
  }
  // New keys go after the last non-blank line of the section, before any blank separator; only
  // blank lines move, so the key index stays valid.
  std::size_t insertAt = 0;
  for (std::size_t i = s.body.size(); i > 0; --i) {
    if (s.body[i - 1].kind != LineKind::Blank) {
      insertAt = i;
      break;
    }
  }
  m_keyIndex.try_emplace(keyId(index, key), KeyPlace{index, insertAt});
  s.body.insert(s.body.begin() + static_cast<std::ptrdiff_t>(insertAt), classify(std::string(key) + "=" + clean));
  m_changed = true;
}

void IniDocument::writeInt(std::string_view section, std::string_view key, int value) {
  write(section, key, std::to_string(value));
}

std::string IniDocument::serialize() const {
  std::string out;
  if (m_byteOrderMark) out += kUtf8Mark;
  for (const Section& s : m_sections) {
    if (s.hasHeader) {
      out += s.header.text;
      out += m_newline;
    }
    for (const Line& line : s.body) {
      out += line.text;
      out += m_newline;
    }
  }
  return out;
}

bool IniDocument::save(const std::filesystem::path& path) const { return replaceFileContents(path, serialize()); }

bool ProfileFile::exists() const {
  std::error_code ec;
  return std::filesystem::is_regular_file(m_path, ec);
}

std::string ProfileFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferChars) const {
  const std::optional<IniDocument> doc = IniDocument::load(m_path);
  if (!doc) return IniDocument().readString(section, key, defaultValue, bufferChars);
  return doc->readString(section, key, defaultValue, bufferChars);
}

int ProfileFile::readInt(std::string_view section, std::string_view key, std::size_t bufferChars) const {
  return wtoi(readString(section, key, "", bufferChars));
}

bool ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  return update([&](IniDocument& doc) { doc.write(section, key, value); });
}

bool ProfileFile::writeInt(std::string_view section, std::string_view key, int value) {
  return writeString(section, key, std::to_string(value));
}

bool ProfileFile::update(const std::function<void(IniDocument&)>& edit) {
  IniDocument doc;
  std::error_code ec;
  if (std::filesystem::exists(m_path, ec)) {
    std::optional<IniDocument> loaded = IniDocument::load(m_path);
    if (!loaded) return false;  // never replace a file we could not read
    doc = std::move(*loaded);
  }
  edit(doc);
  if (!doc.changed()) return true;  // as the Windows functions do: an unchanged file is not rewritten
  return doc.save(m_path);
}

}  // namespace tarvosk
