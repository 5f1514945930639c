#pragma once
// What the upload and the macro area need from the macro library: the group and macro counts
// (to validate user-macro assignments), the macros themselves, the built-in table, and the two
// writes the upload and the ballistic step make. The window and the command-line tool use the
// library on disk (device/library_macro_source.h); tests use a table in memory.

#include "macro/macro_record.h"

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

}  // namespace tarvosk
