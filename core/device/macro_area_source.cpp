#include "device/macro_area_source.h"

#include <algorithm>

#include "platform/profile_file.h"

namespace tarvosk {

LibraryMacroSource::LibraryMacroSource(std::filesystem::path macroFolder, int32_t language, MacroLibrary& library,
                                       const BuiltInMacroTable& builtIns, const MacroStore* store,
                                       const int* currentMacro)
    : m_folder(std::move(macroFolder)),
      m_language(language),
      m_library(library),
      m_builtIns(builtIns),
      m_store(store),
      m_currentMacro(currentMacro) {}

int LibraryMacroSource::groupCount() const { return std::clamp(m_library.groupCount, 0, kMaxGroups); }

int LibraryMacroSource::macroCount(int group) const {
  if (group < 0 || group >= groupCount()) return 0;
  return m_library.macroCounts[static_cast<std::size_t>(group)];
}

MacroRecord LibraryMacroSource::userMacro(int group, int index) const {
  if (index < 0 || index >= macroCount(group)) return {};
  // By the group list in memory, which validated the assignment, rather than by the index file.
  return readMacroFromFile(groupFile(m_folder, m_library.groupNames[static_cast<std::size_t>(group)]), index,
                           m_language);
}

MacroRecord LibraryMacroSource::builtInMacro(int index) const {
  if (index < 0 || index >= kMacroSlots) return {};
  return m_builtIns.slots[static_cast<std::size_t>(index)];
}

bool LibraryMacroSource::refreshForUpload() {
  bool written = true;
  const int current = m_library.currentGroup;
  if (m_store && m_currentMacro && current >= 0 && current < groupCount() && *m_currentMacro >= 0 &&
      *m_currentMacro < m_store->count) {
    written = writeOneMacro(groupFile(m_folder, m_library.groupNames[static_cast<std::size_t>(current)]), *m_store,
                            *m_currentMacro, m_language);
  }
  collectMacroNames(m_folder, m_library, m_language);
  return written;
}

bool LibraryMacroSource::writeUserMacro(int group, int index, const MacroRecord& macro) {
  const int count = macroCount(group);
  if (index < 0 || index >= count) return false;
  // writeOneMacro also writes the store's count as the file's: give it the file's own count, so
  // the other macros of a group that is not the current one stay listed.
  MacroStore file;
  file.count = static_cast<int16_t>(count);
  file.slots[static_cast<std::size_t>(index)] = macro;
  return writeOneMacro(groupFile(m_folder, m_library.groupNames[static_cast<std::size_t>(group)]), file, index,
                       m_language);
}

MacroLibrary readLibraryWithoutWriting(const std::filesystem::path& macroFolder, int32_t language) {
  MacroLibrary lib;
  const std::optional<IniDocument> index = IniDocument::load(groupIndexFile(macroFolder));
  if (!index) return lib;
  const int declared = std::clamp(index->readInt(kGroupCountSection, kGroupCountKey, kGroupCountBufferChars), 0,
                                  kMaxGroups);
  for (int g = 0; g < declared; ++g) {
    std::string name = index->readString(kGroupNameSection, std::to_string(g), "", kGroupNameBufferChars);
    if (!isUsableGroupName(name)) continue;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(groupFile(macroFolder, name), ec)) continue;
    lib.groupNames[static_cast<std::size_t>(lib.groupCount++)] = std::move(name);
  }
  collectMacroNames(macroFolder, lib, language);
  return lib;
}

}  // namespace tarvosk
