#pragma once
// What the upload and the macro area need from the macro library: the group and macro counts
// (to validate user-macro assignments), the macros themselves, the built-in table, and the two
// writes the upload and the ballistic step make. The window and the command-line tool use the
// library on disk; tests use a table in memory.

#include <filesystem>

#include "macro/macro_library.h"
#include "macro/macro_record.h"
#include "platform/prompter.h"

namespace tarvosk {

class MacroSource {
 public:
  virtual ~MacroSource() = default;

  // Number of macro groups loaded (0 when there is none).
  virtual int groupCount() const = 0;
  // The macro count group `group` declares (0 for a group outside 0..groupCount()-1).
  virtual int macroCount(int group) const = 0;
  // Macro `index` of group `group`; an all-zero record when it cannot be read.
  virtual MacroRecord userMacro(int group, int index) const = 0;
  // Built-in macro `index` (0..20); an all-zero record outside that range.
  virtual MacroRecord builtInMacro(int index) const = 0;

  // Before an upload: writes the macro being edited back to its group file and re-reads the
  // group list and macro counts. Returns false when a write failed.
  virtual bool refreshForUpload() = 0;
  // Stores `macro` as macro `index` of group `group`'s file, keeping the file's other macros
  // and its macro count. Returns false when the group does not exist or the write failed.
  virtual bool writeUserMacro(int group, int index, const MacroRecord& macro) = 0;
};

// The macro library on disk of one interface language. `library` is the group list as the
// program read it; `store` and `currentMacro` (optional) are the working copy of the current
// group, written back before every upload.
class LibraryMacroSource : public MacroSource {
 public:
  LibraryMacroSource(std::filesystem::path macroFolder, int32_t language, MacroLibrary& library,
                     const BuiltInMacroTable& builtIns, const MacroStore* store = nullptr,
                     const int* currentMacro = nullptr);

  int groupCount() const override;
  int macroCount(int group) const override;
  MacroRecord userMacro(int group, int index) const override;
  MacroRecord builtInMacro(int index) const override;
  bool refreshForUpload() override;
  bool writeUserMacro(int group, int index, const MacroRecord& macro) override;

 private:
  std::filesystem::path m_folder;
  int32_t m_language;
  MacroLibrary& m_library;
  const BuiltInMacroTable& m_builtIns;
  const MacroStore* m_store;
  const int* m_currentMacro;
};

// The group list of `macroFolder` as readGroupIndex() builds it (count clipped to 0..12, groups
// without a file dropped), with the macro counts collected, but without ever writing the index:
// for commands that must leave every file as it is.
MacroLibrary readLibraryWithoutWriting(const std::filesystem::path& macroFolder, int32_t language);

}  // namespace tarvosk
