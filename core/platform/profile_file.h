#pragma once
// Our INI engine. It keeps the behaviour of the Windows private-profile functions that every
// stored file of the program was designed around:
//  - section and key names compare without regard to ASCII case; the first match wins;
//  - a missing file, section or key reads as the caller's default;
//  - a read into a buffer of n characters returns at most n-1 UTF-16 code units;
//  - a value enclosed in matching single or double quotes is returned without them;
//  - a write rewrites an existing key in place, appends a new key after the last line of its
//    section and a new section at the end of the file, and creates a missing file;
//  - files are read as UTF-8 or as UTF-16 when they start with a byte-order mark, and are
//    written as UTF-8, keeping the file's line endings;
//  - every save replaces the file atomically (temporary file + rename).

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvosk {

// One INI file held in memory. Reads never fail; writes change only the lines they name.
class IniDocument {
 public:
  IniDocument() = default;

  // Parses raw file bytes (UTF-8 with or without BOM, UTF-16LE/BE with BOM). Never fails.
  static IniDocument parse(std::string_view bytes);
  // Reads and parses a file; nullopt when the file is missing or cannot be read.
  static std::optional<IniDocument> load(const std::filesystem::path& path);

  // The raw value of a key, or nullopt when the section or key is missing.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // The private-profile read: the value (or `defaultValue`) cut to bufferChars - 1 UTF-16 units.
  std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::size_t bufferChars) const;
  // readString with an empty default, converted with wtoi.
  int readInt(std::string_view section, std::string_view key, std::size_t bufferChars) const;

  void write(std::string_view section, std::string_view key, std::string_view value);
  void writeInt(std::string_view section, std::string_view key, int value);

  bool hasSection(std::string_view section) const;

  // The file text (UTF-8, every line ended with the document's line ending).
  std::string serialize() const;
  // Atomically replaces `path` with serialize(). Returns false when the folder is missing,
  // the file is not writable or the write failed; the old file is then untouched.
  bool save(const std::filesystem::path& path) const;

 private:
  enum class LineKind { Blank, Comment, Section, Key, Other };
  struct Line {
    std::string text;  // the line as stored, without its ending
    LineKind kind = LineKind::Other;
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed, quotes kept
  };

  static Line classify(std::string text);
  // Index of the section header line, or npos.
  std::size_t findSection(std::string_view section) const;
  // Index of the key line inside the section starting at `header`, or npos.
  std::size_t findKey(std::size_t header, std::string_view key) const;

  std::vector<Line> m_lines;
  std::string m_newline = "\n";
};

// A private-profile file on disk. Every call reads the file afresh, as the program always has;
// update() batches several writes into one read and one atomic replacement.
class ProfileFile {
 public:
  explicit ProfileFile(std::filesystem::path path) : m_path(std::move(path)) {}

  const std::filesystem::path& path() const { return m_path; }
  bool exists() const;

  std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::size_t bufferChars) const;
  int readInt(std::string_view section, std::string_view key, std::size_t bufferChars) const;

  // One key written; returns false when the file could not be written (nothing changed then).
  bool writeString(std::string_view section, std::string_view key, std::string_view value);
  bool writeInt(std::string_view section, std::string_view key, int value);

  // Applies `edit` to the file's contents (an empty document when the file is missing) and
  // saves once. Returns false when an existing file could not be read or the save failed.
  bool update(const std::function<void(IniDocument&)>& edit);

 private:
  std::filesystem::path m_path;
};

}  // namespace tarvosk
