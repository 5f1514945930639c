#include "platform/profile_file.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include <unistd.h>

#include "platform/text.h"

namespace tarvosk {

namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

std::string decodeFileBytes(std::string_view bytes) {
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() >= 2 && ((b(0) == 0xFF && b(1) == 0xFE) || (b(0) == 0xFE && b(1) == 0xFF))) {
    const bool little = b(0) == 0xFF;
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      units += little ? static_cast<char16_t>(b(i) | (b(i + 1) << 8)) : static_cast<char16_t>((b(i) << 8) | b(i + 1));
    }
    return utf16ToUtf8(units);
  }
  if (bytes.size() >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) bytes.remove_prefix(3);
  return sanitizeUtf8(bytes);
}

std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniDocument::Line IniDocument::classify(std::string text) {
  Line line;
  line.text = std::move(text);
  const std::string_view t = trimBlanks(line.text);
  if (t.empty()) {
    line.kind = LineKind::Blank;
  } else if (t.front() == ';') {
    line.kind = LineKind::Comment;
  } else if (t.front() == '[') {
    line.kind = LineKind::Section;
    std::string_view name = t.substr(1);
    const std::size_t close = name.find(']');
    if (close != std::string_view::npos) name = name.substr(0, close);
    line.name = std::string(trimBlanks(name));
  } else if (const std::size_t eq = t.find('='); eq != std::string_view::npos) {
    line.kind = LineKind::Key;
    line.name = std::string(trimBlanks(t.substr(0, eq)));
    line.value = std::string(trimBlanks(t.substr(eq + 1)));
  } else {
    line.kind = LineKind::Other;
  }
  return line;
}

IniDocument IniDocument::parse(std::string_view bytes) {
  IniDocument doc;
  const std::string text = decodeFileBytes(bytes);
  const std::size_t firstLf = text.find('\n');
  if (firstLf != std::string::npos && firstLf > 0 && text[firstLf - 1] == '\r') doc.m_newline = "\r\n";
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    doc.m_lines.push_back(classify(text.substr(start, stop - start)));
    start = end + 1;
  }
  return doc;
}

std::optional<IniDocument> IniDocument::load(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return parse(bytes.str());
}

std::size_t IniDocument::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].kind == LineKind::Section && equalsIgnoreCase(m_lines[i].name, section)) return i;
  }
  return npos;
}

std::size_t IniDocument::findKey(std::size_t header, std::string_view key) const {
  for (std::size_t i = header + 1; i < m_lines.size() && m_lines[i].kind != LineKind::Section; ++i) {
    if (m_lines[i].kind == LineKind::Key && equalsIgnoreCase(m_lines[i].name, key)) return i;
  }
  return npos;
}

bool IniDocument::hasSection(std::string_view section) const { return findSection(section) != npos; }

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
  const std::size_t header = findSection(section);
  if (header == npos) return std::nullopt;
  const std::size_t line = findKey(header, key);
  if (line == npos) return std::nullopt;
  return std::string(unquote(m_lines[line].value));
}

std::string IniDocument::readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferChars) const {
  if (bufferChars == 0) return {};
  const std::optional<std::string> found = value(section, key);
  return truncateUtf16(found ? std::string_view(*found) : defaultValue, bufferChars - 1);
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
  const std::size_t header = findSection(section);
  if (header == npos) {
    m_lines.push_back(classify("[" + std::string(section) + "]"));
    m_lines.push_back(classify(std::string(key) + "=" + clean));
    return;
  }
  const std::size_t existing = findKey(header, key);
  if (existing != npos) {
    m_lines[existing] = classify(m_lines[existing].name + "=" + clean);
    return;
  }
  // New keys go after the last non-blank line of the section, before any blank separator.
  std::size_t insertAt = header + 1;
  for (std::size_t i = header + 1; i < m_lines.size() && m_lines[i].kind != LineKind::Section; ++i) {
    if (m_lines[i].kind != LineKind::Blank) insertAt = i + 1;
  }
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), classify(std::string(key) + "=" + clean));
}

void IniDocument::writeInt(std::string_view section, std::string_view key, int value) {
  write(section, key, std::to_string(value));
}

std::string IniDocument::serialize() const {
  std::string out;
  for (const Line& line : m_lines) {
    out += line.text;
    out += m_newline;
  }
  return out;
}

bool IniDocument::save(const std::filesystem::path& path) const {
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && ::access(path.c_str(), W_OK) != 0) return false;
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string text = serialize();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

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
  return doc.save(m_path);
}

}  // namespace tarvosk
