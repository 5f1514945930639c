#include "device/library_macro_source.h"

#include <optional>

#include "macro/macro_file.h"
#include "platform/profile_file.h"

namespace tarvosk {

LibraryMacroSource::LibraryMacroSource(std::filesystem::path macroFolder, int32_t language,
                                       const BuiltInMacroTable& builtIns)
    : m_folder(std::move(macroFolder)), m_language(language), m_builtIns(builtIns) {
  m_list = readGroupList(m_folder, m_language);
}

void LibraryMacroSource::setEditedMacro(const MacroStore* store, int group, int macro) {
  std::lock_guard lock(m_mutex);
  m_editedStore = store;
  m_editedGroup = group;
  m_editedMacro = macro;
}

int LibraryMacroSource::groupCount() const {
  std::lock_guard lock(m_mutex);
  return m_list.groupCount;
}

int LibraryMacroSource::macroCount(int group) const {
  std::lock_guard lock(m_mutex);
  if (group < 0 || group >= m_list.groupCount) return 0;
  return m_list.macroCounts[static_cast<std::size_t>(group)];
}

MacroRecord LibraryMacroSource::userMacro(int group, int index) const {
  std::lock_guard lock(m_mutex);
  return readOneMacro(m_folder, group, index, m_language);
}

MacroRecord LibraryMacroSource::builtInMacro(int index) const {
  std::lock_guard lock(m_mutex);
  if (index < 0 || index >= kMacroSlots || index >= m_builtIns.count) return {};
  return m_builtIns.slots[static_cast<std::size_t>(index)];
}

bool LibraryMacroSource::refreshForUpload() {
  std::lock_guard lock(m_mutex);
  bool ok = true;
  if (m_editedStore && m_editedStore->count > 0 && m_editedMacro >= 0 && m_editedMacro < m_editedStore->count) {
    const MacroLibrary list = readGroupList(m_folder, m_language);
    if (m_editedGroup >= 0 && m_editedGroup < list.groupCount) {
      ok = writeOneMacro(groupFile(m_folder, list.groupNames[static_cast<std::size_t>(m_editedGroup)]), *m_editedStore,
                         m_editedMacro, m_language);
    }
  }
  m_list = readGroupList(m_folder, m_language);
  return ok;
}

bool LibraryMacroSource::writeUserMacro(int group, int index, const MacroRecord& macro) {
  std::lock_guard lock(m_mutex);
  const MacroLibrary list = readGroupList(m_folder, m_language);
  if (group < 0 || group >= list.groupCount) return false;
  const std::filesystem::path file = groupFile(m_folder, list.groupNames[static_cast<std::size_t>(group)]);
  if (index < 0 || index >= list.macroCounts[static_cast<std::size_t>(group)]) return false;
  // Only this macro's key changes: the file keeps its count and its other macros.
  const std::string value = encodeFieldString(macro, m_language);
  return ProfileFile(file).update([&](IniDocument& doc) { doc.write(kMacroSection, std::to_string(index), value); });
}

}  // namespace tarvosk
