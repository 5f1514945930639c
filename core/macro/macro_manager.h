#pragma once
// Managing the macro library from the macro page: groups (new, rename, delete, choose, import,
// export, restore) and the macros of the current group (new, rename, delete, select, play mode,
// repeat count). Each operation changes the library, the store and the files, and returns what
// the page shows; file dialogs and message boxes are the caller's.
//
// When each writes: the current macro goes to its group's file when another macro or group
// becomes current, when a new group or an import takes over, when its name, play mode or repeat
// count changes, when it is created, and the whole group file is rewritten after a delete; the
// group index is written on every change of the group list.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "macro/macro_library.h"
#include "macro/macro_record.h"

namespace tarvosk {

inline constexpr std::string_view kNewMacroName = "New";
inline constexpr std::string_view kDoubleNameMessage = "Double name!";
inline constexpr std::string_view kDoubleNameSuffix = "' Double name!";
inline constexpr std::string_view kFileNotFoundMessage = "not find File!";
inline constexpr std::string_view kInvalidCharacterMessage = "Invalid: Delete Invalid character";
inline constexpr std::string_view kManagerErrorMessage = "Error!";
inline constexpr std::string_view kManagerLimitMessage = "More than limit!";
inline constexpr std::string_view kRecordingRefusedMessage = "Recording";

// What the macro page works on: the library of the interface language and its working store.
struct MacroWorkspace {
  std::filesystem::path macroFolder;
  std::filesystem::path resetFolder;
  int32_t language = 0;
  MacroLibrary& library;
  MacroStore& store;
  int& currentMacro;
};

// What the page redraws after an operation.
enum class PageRefresh {
  None,
  NameFields,  // group and macro name fields from the model
  EventList,   // the current macro's event list and repeat count field (LED list emptied)
  AllLists,    // macro, event and LED lists of the current group, then the name fields
};

struct ManagerResult {
  bool changed = false;                // the model changed
  std::optional<std::string> message;  // show in a message box
  PageRefresh refresh = PageRefresh::None;
  // Text the edited field must show now (a name put back, a clipped count; after selectMacro
  // the macro name field, after setPlayMode the repeat count field). Set it without raising the
  // field's change notification again.
  std::optional<std::string> fieldText;
  std::optional<int> selectMacroLine;  // select this macro-list line
  bool writeFailed = false;            // a file could not be written (the model is still right)
};

// True when `name` may become a group's name: not empty or " ", at most 19 UTF-16 units, no
// character a file name on any desktop refuses (\ / : * ? " < > | and control characters),
// not "." or "..".
bool isValidNewGroupName(std::string_view name);

// Writes the current macro to the current group's file ("macroNum" and its key). False when
// there is nothing to write or the write failed.
bool writeCurrentMacro(const MacroWorkspace& ws);

// Macro list selection changed to `line`. During a take: "Recording", the current macro's line
// selected again. Otherwise the current macro is written and `line` becomes current.
ManagerResult selectMacro(const MacroWorkspace& ws, int line, bool recording);

// The macro name field reads `text`. Empty or " ": the stored name goes back. A name another
// macro (or this one) has: nothing. Otherwise the macro takes the name (first 9 units), its list
// line changes and the macro is written.
ManagerResult macroNameEdited(const MacroWorkspace& ws, std::string_view text);

// A macro-list line renamed in place (Enter in its editor). Names of 10 or more units: "More
// than limit!" and the stored name goes back; a name another macro has: "'name' Double name!"
// and the stored name goes back; empty: the stored name goes back. Otherwise as macroNameEdited.
ManagerResult macroRenamedInList(const MacroWorkspace& ws, int line, std::string_view text);

// The repeat count field reads `text`: its number clipped to 1..65535 (the field shows the
// clipped value when it changed) becomes the repeat count, then the macro is written.
ManagerResult repeatCountEdited(const MacroWorkspace& ws, std::string_view text);

// A mode button: 2 and 1 play once (repeat count 1, field disabled showing "1"), 0 repeats
// (field enabled showing the count). The macro is written.
ManagerResult setPlayMode(const MacroWorkspace& ws, int mode);

// A macro named "New" at the end of the current group, made current and written to the file.
// No group: nothing; 20 macros: "More than limit!"; a "New" already there: "'New' Double name!".
ManagerResult newMacro(const MacroWorkspace& ws);

// Deletes the macro of macro-list line `line`; the macro before it becomes current; the group
// file is rewritten to hold exactly the macros left. Nothing during a take or on an empty list.
ManagerResult deleteMacro(const MacroWorkspace& ws, int line, bool recording);

// A group named "New" at the end of the list, current and empty; its file is created before the
// index names it. 12 groups: "More than limit!"; a "New" already there: "'New' Double name!".
// An index that cannot be written: "Error!", writeFailed, the list and the folder as before.
ManagerResult newGroup(const MacroWorkspace& ws);

// The group name field reads `text`: renames the current group and its file. Empty or " ", or a
// name too long for the index: the current name goes back. A name some group has: nothing. A
// name no file may carry: "Invalid: Delete Invalid character", the old name goes back. A group
// without a file takes the name and shows "not find File!".
ManagerResult groupNameEdited(const MacroWorkspace& ws, std::string_view text);

// Deletes the current group and its file; group 0 becomes current (or the page empties).
ManagerResult deleteGroup(const MacroWorkspace& ws);

// Group `group` chosen in the group menu (the menu leaves the library's current group alone;
// this sets it): the current macro is written to the group that was
// current, then `group` is loaded with its first macro current.
ManagerResult chooseGroup(const MacroWorkspace& ws, int group);

// Imports macro file `file` as a new last group named after the file ("Name.dat" gives "Name"),
// copied into the macro folder as that group's file, and makes it current. 12 groups: "More than
// limit!"; no ".dat" extension, nothing before it or a name no group may have: "Error!"; a
// group of that name exists: "Double name!". A file that cannot be read as a regular file
// (missing, a FIFO, past kMaxDataFileBytes), that is neither empty nor has a "Macros" section
// (not a macro file), or that cannot be written into the macro folder: "Error!", nothing
// changed (writeFailed tells the last case). So too when the index cannot be written: the
// copied file is removed again.
ManagerResult importGroup(const MacroWorkspace& ws, const std::filesystem::path& file);

// Writes every macro of the store to `file`, replacing whatever it held. No group: "Error!";
// a failed write: "Error!".
ManagerResult exportGroup(const MacroWorkspace& ws, const std::filesystem::path& file);

// Replaces the library with its factory copy; group 0 and its first macro become current. A
// factory copy without its group index: "Can't find the file." and nothing changes.
ManagerResult restoreGroups(const MacroWorkspace& ws);

}  // namespace tarvosk
