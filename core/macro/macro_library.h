#pragma once
// The macro library of one interface language: a folder holding the group index "macroGrp.ini"
// and one macro file per group (group name + ".dat"), plus a factory copy of the whole folder
// from which the library can be restored. The in-memory group list and the table of macro names
// of all groups live in MacroLibrary; every function takes the folder it works on.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/prompter.h"

namespace tarvosk {

inline constexpr int kMaxGroups = 12;
inline constexpr int kGroupIndexKeys = 20;  // name keys "0".."19" of the index
inline constexpr std::size_t kGroupCountBufferChars = 3;
inline constexpr std::size_t kGroupNameBufferChars = 20;
// A group name longer than this would be cut when the index is read back; the name editor keeps to it.
inline constexpr int kGroupNameMaxChars = 19;

inline constexpr std::string_view kGroupIndexFileName = "macroGrp.ini";
inline constexpr std::string_view kGroupCountSection = "MACRO_GROUP_NUM";
inline constexpr std::string_view kGroupCountKey = "macGrpNum";
inline constexpr std::string_view kGroupNameSection = "MACRO_GROUP_NAME";
inline constexpr std::string_view kGroupFileExtension = ".dat";
inline constexpr std::string_view kNewGroupName = "New";
inline constexpr std::string_view kMissingGroupIndexMessage = "Can't find the file.";
inline constexpr std::string_view kCreateGroupFileFailedMessage = "Create new mac_file Fail!";

struct MacroLibrary {
  int32_t groupCount = 0;                          // 0..12
  std::array<std::string, kMaxGroups> groupNames;  // entries past groupCount are empty
  int32_t currentGroup = 0;                        // group whose macros are in the MacroStore
  std::array<int32_t, kMaxGroups> macroCounts{};   // per group, 0..20, as last collected
  std::array<std::array<std::string, kMacrosPerGroup>, kMaxGroups> macroNames;  // as last collected
};

std::filesystem::path groupIndexFile(const std::filesystem::path& macroFolder);
std::filesystem::path groupFile(const std::filesystem::path& macroFolder, std::string_view groupName);

// True when `name` can name a group file inside the macro folder: at most 19 UTF-16 units, no
// path separator, not "." or "..". (An empty name is allowed: it names the file ".dat".)
bool isUsableGroupName(std::string_view name);

// Whether readGroupIndex writes the index back after dropping groups: start-up does; a listing
// or a check never writes.
enum class IndexRepair { Rewrite, InMemoryOnly };

// Reads the index into `lib` (count clipped to 0..12, names with a 20-character buffer), sets the
// current group to 0 when there is a group, then drops every group whose file is missing (or whose
// name cannot name a file) and, with IndexRepair::Rewrite, rewrites the index when it dropped any.
// A missing index shows kMissingGroupIndexMessage, leaves an empty list and returns false.
bool readGroupIndex(const std::filesystem::path& macroFolder, MacroLibrary& lib, Prompter& prompter,
                    MacroIssues* issues = nullptr, IndexRepair repair = IndexRepair::Rewrite);

// The group list as the index file says (count clipped to 0..12), with the macro counts and names
// collected: nothing validated, shown or written. An empty list when the index is missing.
MacroLibrary readGroupList(const std::filesystem::path& macroFolder, int32_t language);

// Writes "macGrpNum" and the 20 name keys (empty past the count). False when the write failed.
bool writeGroupIndex(const std::filesystem::path& macroFolder, const MacroLibrary& lib);

// True when group g is in the list and its file exists.
bool groupFileExists(const std::filesystem::path& macroFolder, const MacroLibrary& lib, int g);
// When group g's file exists, reads it into `store` and returns true; false otherwise (store untouched).
bool loadGroup(const std::filesystem::path& macroFolder, const MacroLibrary& lib, int g, int32_t language,
               MacroStore& store, Prompter& prompter);

// Refreshes macroCounts and macroNames of every group from the files. A group whose file is missing
// or declares a count outside 1..20 gets count 0 and no names.
void collectMacroNames(const std::filesystem::path& macroFolder, MacroLibrary& lib, int32_t language);

// Macro m of group g, read from the index file and the group file on disk (not the in-memory list);
// an all-zero record when g or m is not in the files.
MacroRecord readOneMacro(const std::filesystem::path& macroFolder, int g, int m, int32_t language);

// Creates the empty file of a new group (macro folder + "New.dat"). On failure shows
// kCreateGroupFileFailedMessage and returns false.
bool createEmptyGroupFile(const std::filesystem::path& macroFolder, Prompter& prompter);

// Deletes every file and subfolder inside `folder`; the folder itself stays. Errors are ignored.
void wipeFolder(const std::filesystem::path& folder);
// Copies `source` into `destination` (created when missing), recursing, replacing existing files.
// Returns false when something could not be copied (what could be copied stays).
bool copyFolder(const std::filesystem::path& source, const std::filesystem::path& destination);

// Replaces the library with its factory copy: current group and macro to 0, the macro folder wiped
// and refilled from `resetFolder`, the index read, group 0 loaded, the macro names collected.
// Refuses (returns false, touches nothing) when the factory copy has no group index.
bool restoreLibrary(const std::filesystem::path& macroFolder, const std::filesystem::path& resetFolder,
                    int32_t language, MacroLibrary& lib, MacroStore& store, int& currentMacro, Prompter& prompter);

}  // namespace tarvosk
