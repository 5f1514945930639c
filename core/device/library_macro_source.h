#pragma once
// The macros an upload sends, taken from the macro library on disk: user macros straight from the
// group files (as the upload has always read them), built-in macros from the table read at start.
// The window and the command-line tool hand this to the settings upload and the ballistic step.

#include <filesystem>
#include <mutex>

#include "device/macro_area_source.h"
#include "macro/macro_library.h"
#include "macro/macro_record.h"

namespace tarvosk {

class LibraryMacroSource : public MacroSource {
 public:
  // `macroFolder` of the interface language `language`; the group list is read at once.
  LibraryMacroSource(std::filesystem::path macroFolder, int32_t language, const BuiltInMacroTable& builtIns);

  // The macro being edited in the window (slot `macro` of `store`, which holds group `group`),
  // written back to its group file by refreshForUpload. A null store means none (the default).
  // The store must outlive this object or be unset.
  void setEditedMacro(const MacroStore* store, int group, int macro);

  int groupCount() const override;
  int macroCount(int group) const override;
  MacroRecord userMacro(int group, int index) const override;
  MacroRecord builtInMacro(int index) const override;
  bool refreshForUpload() override;
  bool writeUserMacro(int group, int index, const MacroRecord& macro) override;

 private:
  // Every call holds the lock: the ballistic step writes from the listener thread while the
  // window may upload.
  mutable std::mutex m_mutex;
  std::filesystem::path m_folder;
  int32_t m_language;
  BuiltInMacroTable m_builtIns;
  MacroLibrary m_list;
  const MacroStore* m_editedStore = nullptr;
  int m_editedGroup = 0;
  int m_editedMacro = 0;
};

}  // namespace tarvosk
