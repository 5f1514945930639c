#include "macro/macro_library.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/file_replace.h"
#include "platform/profile_file.h"
#include "platform/text.h"

namespace tarvosk {

namespace fs = std::filesystem;

namespace {

void note(MacroIssues* issues, std::string text) {
  if (issues) issues->push_back(std::move(text));
}

bool isFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

void removeGroup(MacroLibrary& lib, int g) {
  for (int i = g; i + 1 < kMaxGroups; ++i) lib.groupNames[i] = std::move(lib.groupNames[i + 1]);
  lib.groupNames[kMaxGroups - 1].clear();
  --lib.groupCount;
}

}  // namespace

fs::path groupIndexFile(const fs::path& macroFolder) { return macroFolder / kGroupIndexFileName; }

fs::path groupFile(const fs::path& macroFolder, std::string_view groupName) {
  return macroFolder / (std::string(groupName) + std::string(kGroupFileExtension));
}

bool isUsableGroupName(std::string_view name) {
  if (utf16Length(name) > static_cast<std::size_t>(kGroupNameMaxChars)) return false;
  if (name == "." || name == "..") return false;
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

namespace {

std::optional<IniDocument> loadIndex(const fs::path& macroFolder) {
  const fs::path file = groupIndexFile(macroFolder);
  if (!isFile(file)) return std::nullopt;
  return IniDocument::load(file);
}

// Group count and names from the index, the count clipped to 0..12.
void readNames(const IniDocument& index, MacroLibrary& lib, MacroIssues* issues) {
  int count = index.readInt(kGroupCountSection, kGroupCountKey, kGroupCountBufferChars);
  if (count < 0) {
    note(issues, "macGrpNum " + std::to_string(count) + " is negative; read as 0");
    count = 0;
  } else if (count > kMaxGroups) {
    note(issues, "macGrpNum " + std::to_string(count) + " is above " + std::to_string(kMaxGroups) +
                     "; only the first " + std::to_string(kMaxGroups) + " groups are read");
    count = kMaxGroups;
  }
  lib.groupCount = count;
  for (std::string& name : lib.groupNames) name.clear();
  for (int i = 0; i < count; ++i) {
    lib.groupNames[i] = index.readString(kGroupNameSection, std::to_string(i), "", kGroupNameBufferChars);
  }
}

}  // namespace

MacroLibrary readGroupList(const fs::path& macroFolder, int32_t language) {
  MacroLibrary lib;
  if (const std::optional<IniDocument> index = loadIndex(macroFolder)) readNames(*index, lib, nullptr);
  collectMacroNames(macroFolder, lib, language);
  return lib;
}

bool readGroupIndex(const fs::path& macroFolder, MacroLibrary& lib, Prompter& prompter, MacroIssues* issues,
                    IndexRepair repair) {
  const std::optional<IniDocument> doc = loadIndex(macroFolder);
  if (!doc) prompter.showMessage(kMissingGroupIndexMessage);
  readNames(doc ? *doc : IniDocument(), lib, issues);
  if (lib.groupCount > 0) lib.currentGroup = 0;

  // A group whose file is gone is dropped; the name that moves up into its place is checked too.
  bool dropped = false;
  for (int i = 0; i < lib.groupCount;) {
    const std::string& name = lib.groupNames[i];
    if (isUsableGroupName(name) && isFile(groupFile(macroFolder, name))) {
      ++i;
      continue;
    }
    note(issues, "group " + std::to_string(i) + " \"" + name + "\" has no file \"" + name +
                     std::string(kGroupFileExtension) + "\"; dropped from the index");
    removeGroup(lib, i);
    dropped = true;
  }
  if (dropped && repair == IndexRepair::Rewrite)
    writeGroupIndex(macroFolder, lib);  // best effort: the list in memory is right either way
  if (lib.currentGroup >= lib.groupCount) lib.currentGroup = 0;
  return doc.has_value();
}

bool writeGroupIndex(const fs::path& macroFolder, const MacroLibrary& lib) {
  const int count = std::clamp(lib.groupCount, 0, kMaxGroups);
  return ProfileFile(groupIndexFile(macroFolder)).update([&](IniDocument& doc) {
    doc.writeInt(kGroupCountSection, kGroupCountKey, count);
    for (int i = 0; i < kGroupIndexKeys; ++i) {
      doc.write(kGroupNameSection, std::to_string(i), i < count ? std::string_view(lib.groupNames[i]) : "");
    }
  });
}

bool groupFileExists(const fs::path& macroFolder, const MacroLibrary& lib, int g) {
  if (g < 0 || g >= lib.groupCount || g >= kMaxGroups) return false;
  const std::string& name = lib.groupNames[g];
  return isUsableGroupName(name) && isFile(groupFile(macroFolder, name));
}

bool loadGroup(const fs::path& macroFolder, const MacroLibrary& lib, int g, int32_t language, MacroStore& store,
               Prompter& prompter) {
  if (!groupFileExists(macroFolder, lib, g)) return false;
  return readGroupFile(groupFile(macroFolder, lib.groupNames[g]), language, store, prompter);
}

void collectMacroNames(const fs::path& macroFolder, MacroLibrary& lib, int32_t language) {
  for (int g = 0; g < kMaxGroups; ++g) {
    lib.macroCounts[g] = 0;
    for (std::string& name : lib.macroNames[g]) name.clear();
    if (g >= lib.groupCount || !isUsableGroupName(lib.groupNames[g])) continue;
    const fs::path file = groupFile(macroFolder, lib.groupNames[g]);
    if (!isFile(file)) continue;
    const std::optional<IniDocument> doc = IniDocument::load(file);
    if (!doc) continue;
    // A count past 20 means a damaged file: the group shows no macros rather than some of them.
    const int count = doc->readInt(kMacroSection, kMacroCountKey, kMacroCountBufferChars);
    if (count <= 0 || count > kMacrosPerGroup) continue;
    lib.macroCounts[g] = count;
    for (int i = 0; i < count; ++i) {
      const std::string value = doc->readString(kMacroSection, std::to_string(i), "", kMacroValueBufferChars);
      MacroRecord m;
      decodeFieldString(truncateUtf16(value, 3 * 2 * kMacroNameUnits), language, m);
      lib.macroNames[g][i] = macroNameText(m);
    }
  }
}

MacroRecord readOneMacro(const fs::path& macroFolder, int g, int m, int32_t language) {
  const fs::path indexFile = groupIndexFile(macroFolder);
  if (!isFile(indexFile)) return {};
  const std::optional<IniDocument> index = IniDocument::load(indexFile);
  if (!index) return {};
  const int count = std::min(index->readInt(kGroupCountSection, kGroupCountKey, kGroupCountBufferChars), kMaxGroups);
  if (g < 0 || g >= count) return {};
  const std::string name = index->readString(kGroupNameSection, std::to_string(g), "", kGroupNameBufferChars);
  if (!isUsableGroupName(name)) return {};
  return readMacroFromFile(groupFile(macroFolder, name), m, language);
}

bool createEmptyGroupFile(const fs::path& macroFolder, Prompter& prompter) {
  const fs::path file = groupFile(macroFolder, kNewGroupName);
  std::error_code ec;
  bool ok = fs::is_directory(macroFolder, ec);
  ok = ok && replaceFileContents(file, "");  // an old file of that name is replaced whole or not at all
  if (!ok) prompter.showMessage(kCreateGroupFileFailedMessage);
  return ok;
}

void wipeFolder(const fs::path& folder) {
  std::error_code ec;
  std::vector<fs::path> entries;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(it->path());
  for (const fs::path& entry : entries) fs::remove_all(entry, ec);
}

bool copyFolder(const fs::path& source, const fs::path& destination) {
  std::error_code ec;
  fs::create_directories(destination, ec);
  if (!fs::is_directory(destination, ec)) return false;
  bool ok = true;
  for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path target = destination / it->path().filename();
    std::error_code entryError;
    if (it->is_directory(entryError)) {
      ok = copyFolder(it->path(), target) && ok;
    } else {
      fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, entryError);
      ok = ok && !entryError;
    }
  }
  return ok && !ec;
}

bool restoreLibrary(const fs::path& macroFolder, const fs::path& resetFolder, int32_t language, MacroLibrary& lib,
                    MacroStore& store, int& currentMacro, Prompter& prompter) {
  // Wiping first and finding nothing to copy back would lose the user's library for nothing.
  if (!isFile(groupIndexFile(resetFolder))) return false;
  lib.currentGroup = 0;
  currentMacro = 0;
  wipeFolder(macroFolder);
  copyFolder(resetFolder, macroFolder);
  readGroupIndex(macroFolder, lib, prompter);
  if (lib.groupCount == 0 || !loadGroup(macroFolder, lib, 0, language, store, prompter)) store.count = 0;
  collectMacroNames(macroFolder, lib, language);
  return true;
}

}  // namespace tarvosk
