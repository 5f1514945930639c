#pragma once
// Our INI engine. It keeps the behaviour of the Windows private-profile functions that every
// stored file of the program was designed around:
//  - CR, LF and CR LF all end a line;
//  - section and key names compare without regard to ASCII case; the first match wins (a later
//    section of the same name is never read);
//  - a section header needs its closing bracket (the last one on the line counts);
//  - blanks around names and values are not part of them (spaces, tabs, the other white-space
//    characters and the DOS end-of-file character ^Z);
//  - a missing file, section or key reads as the caller's default, without its trailing spaces;
//  - a read into a buffer of n characters returns at most n-1 UTF-16 code units;
//  - a value enclosed in matching single or double quotes is returned without them;
//  - a write rewrites an existing key in place, appends a new key after the last line of its
//    section and a new section at the end of the file, and creates a missing file; a write that
//    changes nothing leaves the file alone.
// Our own choices where the Windows functions differ: files are written as UTF-8 (keeping a
// UTF-8 byte-order mark and the line endings the file used; LF in a new file); lines starting
// with ';' are comments; UTF-16 without a byte-order mark is recognised; every save replaces the
// file atomically (temporary file + rename), so a folder where no file can be created cannot be
// written even when the file itself could.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvosk {

// What reading a file's bytes had to guess or repair. All false for plain UTF-8 text.
struct IniReadNotes {
  bool utf16WithoutByteOrderMark = false;  // decoded as UTF-16, recognised from its zero bytes
  bool extraByteOrderMarks = false;        // more than one byte-order mark at the start (all skipped)
  bool malformedUtf8 = false;              // bytes that are not UTF-8 were read as U+FFFD
  bool nulCharacters = false;              // NUL characters (a value ends at the first one)
  bool any() const { return utf16WithoutByteOrderMark || extraByteOrderMarks || malformedUtf8 || nulCharacters; }
};

// One plain sentence per note ("it is UTF-16 without a byte-order mark; read as such").
std::vector<std::string> describeReadNotes(const IniReadNotes& notes);

// One INI file held in memory. Reads never fail; writes change only the lines they name.
class IniDocument {
 public:
  IniDocument() = default;

  // Parses raw file bytes (UTF-8 with or without BOM, UTF-16LE/BE with or without BOM). Never
  // fails; what had to be guessed is in readNotes().
  static IniDocument parse(std::string_view bytes);
  // Reads and parses a file; nullopt when the file is missing, not a regular file (never blocks
  // on a FIFO or device), larger than 64 MiB or cannot be read.
  static std::optional<IniDocument> load(const std::filesystem::path& path);

  const IniReadNotes& readNotes() const { return m_notes; }
  // True when a write since parsing changed the text.
  bool changed() const { return m_changed; }

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
  // Replaces `path` with serialize() (see replaceFileContents: atomic, mode kept, links
  // followed). Returns false when the folder is missing or not writable, the file is not
  // writable or the write failed; the old file is then untouched.
  bool save(const std::filesystem::path& path) const;

 private:
  enum class LineKind { Blank, Comment, Section, Key, Other };
  struct Line {
    std::string text;  // the line as stored, without its ending
    LineKind kind = LineKind::Other;
    // Section or key name, trimmed (an Other line: the whole trimmed line), and the key's value,
    // trimmed with its quotes, as offsets into `text`.
    uint32_t nameStart = 0, nameSize = 0, valueStart = 0, valueSize = 0;
    std::string_view name() const { return std::string_view(text).substr(nameStart, nameSize); }
    std::string_view value() const { return std::string_view(text).substr(valueStart, valueSize); }
  };
  // A section: its header line (none for the lines before the first header) and its body.
  struct Section {
    bool hasHeader = false;
    Line header;
    std::vector<Line> body;
  };
  struct KeyPlace {
    std::size_t section;
    std::size_t line;
  };

  static Line classify(std::string text);
  void addLine(Line line);
  // The first section of that name, or npos.
  std::size_t findSection(std::string_view section) const;
  // The first key of that name in section `index`: lookups go through hash maps of folded names,
  // so reading stays linear in the file's size.
  const KeyPlace* findKey(std::size_t index, std::string_view key) const;
  static std::string keyId(std::size_t section, std::string_view key);

  std::vector<Section> m_sections{1};                           // [0]: lines before the first header
  std::unordered_map<std::string, std::size_t> m_sectionIndex;  // folded name -> first section
  std::unordered_map<std::string, KeyPlace> m_keyIndex;         // keyId -> first key line
  std::string m_newline = "\n";
  bool m_byteOrderMark = false;  // the file started with a UTF-8 byte-order mark; kept on writing
  bool m_changed = false;
  IniReadNotes m_notes;
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
