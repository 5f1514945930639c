#include "macro/macro_manager.h"

#include <algorithm>
#include <system_error>

#include "macro/macro_file.h"
#include "platform/file_replace.h"
#include "platform/profile_file.h"
#include "platform/prompter.h"
#include "platform/text.h"

namespace tarvosk {

namespace fs = std::filesystem;

namespace {

// Keeps what a library function wanted to show, for the result.
class CollectingPrompter : public Prompter {
 public:
  void showMessage(std::string_view text) override {
    if (!message) message = std::string(text);
  }
  std::optional<std::string> message;
};

int storeCount(const MacroWorkspace& ws) { return std::clamp<int>(ws.store.count, 0, kMacrosPerGroup); }

bool hasGroup(const MacroWorkspace& ws) {
  return ws.library.groupCount > 0 && ws.library.currentGroup >= 0 && ws.library.currentGroup < ws.library.groupCount;
}

bool hasCurrentMacro(const MacroWorkspace& ws) { return ws.currentMacro >= 0 && ws.currentMacro < storeCount(ws); }

MacroRecord& currentRecord(const MacroWorkspace& ws) {
  return ws.store.slots[static_cast<std::size_t>(ws.currentMacro)];
}

fs::path currentGroupFile(const MacroWorkspace& ws) {
  return groupFile(ws.macroFolder, ws.library.groupNames[static_cast<std::size_t>(ws.library.currentGroup)]);
}

bool isBlankName(std::string_view text) { return text.empty() || text == " "; }

std::string doubleName(std::string_view name) { return "'" + std::string(name) + std::string(kDoubleNameSuffix); }

// True when a macro of the store other than `except` is named `name`.
bool macroNameTaken(const MacroWorkspace& ws, std::string_view name, int except) {
  for (int i = 0; i < storeCount(ws); ++i) {
    if (i != except && macroNameText(ws.store.slots[static_cast<std::size_t>(i)]) == name) return true;
  }
  return false;
}

bool groupNameTaken(const MacroLibrary& lib, std::string_view name) {
  for (int g = 0; g < lib.groupCount && g < kMaxGroups; ++g) {
    if (lib.groupNames[static_cast<std::size_t>(g)] == name) return true;
  }
  return false;
}

void clearStore(MacroStore& store) {
  store.count = 0;
  for (MacroRecord& slot : store.slots) slot = MacroRecord{};
}

// Writes the store as the whole file (only its "Macros" section, no stale keys), through a
// temporary file so a failed write leaves the old file whole.
bool replaceWithAllMacros(const fs::path& file, const MacroStore& store, int32_t language) {
  fs::path temporary = file;
  temporary += ".new";
  std::error_code ec;
  fs::remove(temporary, ec);
  if (!writeAllMacros(temporary, store, language)) {
    fs::remove(temporary, ec);
    return false;
  }
  fs::rename(temporary, file, ec);
  if (ec) fs::remove(temporary, ec);
  return !ec;
}

// Loads the current group into the store (an empty store when its file is gone) and makes its
// first macro current.
void loadCurrentGroup(const MacroWorkspace& ws, ManagerResult& result) {
  CollectingPrompter prompter;
  ws.currentMacro = 0;
  if (!hasGroup(ws) ||
      !loadGroup(ws.macroFolder, ws.library, ws.library.currentGroup, ws.language, ws.store, prompter)) {
    clearStore(ws.store);
  }
  if (prompter.message && !result.message) result.message = prompter.message;
  collectMacroNames(ws.macroFolder, ws.library, ws.language);
}

void storeName(const MacroWorkspace& ws, std::string_view text, ManagerResult& result) {
  setMacroName(currentRecord(ws), text);
  result.changed = true;
  result.selectMacroLine = ws.currentMacro;
  result.writeFailed = !writeCurrentMacro(ws);
}

}  // namespace

bool isValidNewGroupName(std::string_view name) {
  if (isBlankName(name) || !isUsableGroupName(name)) return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return false;
    if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return true;
}

bool writeCurrentMacro(const MacroWorkspace& ws) {
  if (!hasGroup(ws) || !hasCurrentMacro(ws)) return false;
  return writeOneMacro(currentGroupFile(ws), ws.store, ws.currentMacro, ws.language);
}

ManagerResult selectMacro(const MacroWorkspace& ws, int line, bool recording) {
  ManagerResult result;
  if (recording) {
    result.message = std::string(kRecordingRefusedMessage);
    result.selectMacroLine = ws.currentMacro;
    return result;
  }
  if (hasCurrentMacro(ws)) result.writeFailed = !writeCurrentMacro(ws);
  ws.currentMacro = (line >= 0 && line < storeCount(ws)) ? line : 0;
  result.changed = true;
  result.refresh = PageRefresh::EventList;
  result.fieldText = storeCount(ws) > 0 ? macroNameText(currentRecord(ws)) : std::string();
  return result;
}

ManagerResult macroNameEdited(const MacroWorkspace& ws, std::string_view text) {
  ManagerResult result;
  if (!hasGroup(ws) || !hasCurrentMacro(ws)) return result;
  if (isBlankName(text)) {
    result.fieldText = macroNameText(currentRecord(ws));
    return result;
  }
  const std::string name = truncateUtf16(text, kMacroNameMaxChars);
  if (macroNameTaken(ws, name, -1)) return result;
  storeName(ws, name, result);
  return result;
}

ManagerResult macroRenamedInList(const MacroWorkspace& ws, int line, std::string_view text) {
  ManagerResult result;
  if (!hasGroup(ws) || line < 0 || line >= storeCount(ws)) return result;
  ws.currentMacro = line;
  const std::string stored = macroNameText(currentRecord(ws));
  result.selectMacroLine = line;
  if (text == stored) return result;
  if (utf16Length(text) > static_cast<std::size_t>(kMacroNameMaxChars)) {
    result.message = std::string(kManagerLimitMessage);
    result.fieldText = stored;
    return result;
  }
  if (isBlankName(text)) {
    result.fieldText = stored;
    return result;
  }
  if (macroNameTaken(ws, text, line)) {
    result.message = doubleName(text);
    result.fieldText = stored;
    return result;
  }
  storeName(ws, text, result);
  result.refresh = PageRefresh::NameFields;
  return result;
}

ManagerResult repeatCountEdited(const MacroWorkspace& ws, std::string_view text) {
  ManagerResult result;
  if (!hasGroup(ws) || !hasCurrentMacro(ws)) return result;
  int v = wtoi(text);
  if (v < 1) {
    v = 1;
    result.fieldText = "1";
  } else if (v > 65535) {
    v = 65535;
    result.fieldText = "65535";
  }
  currentRecord(ws).repeatCount = static_cast<uint16_t>(v);
  result.changed = true;
  result.writeFailed = !writeCurrentMacro(ws);
  return result;
}

ManagerResult setPlayMode(const MacroWorkspace& ws, int mode) {
  ManagerResult result;
  if (!hasGroup(ws) || !hasCurrentMacro(ws) || mode < 0 || mode > 2) return result;
  MacroRecord& m = currentRecord(ws);
  if (mode == play::kRepeat) {
    m.playMode = static_cast<uint8_t>(m.playMode & ~0x0B);
  } else {
    m.playMode = static_cast<uint8_t>((m.playMode & ~0x07) + mode);
    m.repeatCount = 1;
  }
  result.changed = true;
  result.fieldText = mode == play::kRepeat ? std::to_string(m.repeatCount) : "1";
  result.writeFailed = !writeCurrentMacro(ws);
  return result;
}

ManagerResult newMacro(const MacroWorkspace& ws) {
  ManagerResult result;
  if (!hasGroup(ws)) return result;
  if (storeCount(ws) >= kMacrosPerGroup) {
    result.message = std::string(kManagerLimitMessage);
    return result;
  }
  if (macroNameTaken(ws, kNewMacroName, -1)) {
    result.message = doubleName(kNewMacroName);
    return result;
  }
  const int index = storeCount(ws);
  ws.store.slots[static_cast<std::size_t>(index)] = MacroRecord{};
  setMacroName(ws.store.slots[static_cast<std::size_t>(index)], kNewMacroName);
  ws.store.count = static_cast<int16_t>(index + 1);
  ws.currentMacro = index;
  result.changed = true;
  result.refresh = PageRefresh::AllLists;
  result.selectMacroLine = index;
  result.writeFailed = !writeCurrentMacro(ws);
  return result;
}

ManagerResult deleteMacro(const MacroWorkspace& ws, int line, bool recording) {
  ManagerResult result;
  const int count = storeCount(ws);
  if (recording || count == 0 || !hasGroup(ws)) return result;
  const int i = (line >= 0 && line < count) ? line : ws.currentMacro;
  if (i < 0 || i >= count) return result;
  for (int k = i; k + 1 < count; ++k)
    ws.store.slots[static_cast<std::size_t>(k)] = ws.store.slots[static_cast<std::size_t>(k + 1)];
  ws.store.slots[static_cast<std::size_t>(count - 1)] = MacroRecord{};
  ws.store.count = static_cast<int16_t>(count - 1);
  ws.currentMacro = i > 0 ? i - 1 : 0;
  // The file follows the list at once: a later single-macro write would leave the deleted macro
  // under the old keys.
  result.writeFailed = !replaceWithAllMacros(currentGroupFile(ws), ws.store, ws.language);
  collectMacroNames(ws.macroFolder, ws.library, ws.language);
  result.changed = true;
  result.refresh = PageRefresh::AllLists;
  if (ws.store.count > 0) result.selectMacroLine = ws.currentMacro;
  return result;
}

namespace {

// Appends group `name` to the list and writes the index. When the index cannot be written the
// list is as before, the group's new file is removed (so the folder is as it was) and "Error!"
// is set: a group the index does not name would be lost at the next start.
bool addToIndex(const MacroWorkspace& ws, std::string_view name, ManagerResult& result) {
  MacroLibrary& lib = ws.library;
  const std::size_t slot = static_cast<std::size_t>(lib.groupCount);
  lib.groupNames[slot] = std::string(name);
  ++lib.groupCount;
  if (writeGroupIndex(ws.macroFolder, lib)) return true;
  --lib.groupCount;
  lib.groupNames[slot].clear();
  result.message = std::string(kManagerErrorMessage);
  result.writeFailed = true;
  return false;
}

}  // namespace

ManagerResult newGroup(const MacroWorkspace& ws) {
  ManagerResult result;
  MacroLibrary& lib = ws.library;
  if (lib.groupCount >= kMaxGroups) {
    result.message = std::string(kManagerLimitMessage);
    return result;
  }
  if (groupNameTaken(lib, kNewGroupName)) {
    result.message = doubleName(kNewGroupName);
    return result;
  }
  // The macro being edited belongs to the group being left.
  if (hasCurrentMacro(ws)) result.writeFailed = !writeCurrentMacro(ws);
  CollectingPrompter prompter;
  const fs::path file = groupFile(ws.macroFolder, kNewGroupName);
  std::error_code ec;
  const bool existed = fs::exists(file, ec);
  if (!createEmptyGroupFile(ws.macroFolder, prompter)) {
    result.message = prompter.message;
    return result;
  }
  if (!addToIndex(ws, kNewGroupName, result)) {
    if (!existed) fs::remove(file, ec);
    return result;
  }
  lib.currentGroup = lib.groupCount - 1;
  clearStore(ws.store);
  ws.currentMacro = 0;
  collectMacroNames(ws.macroFolder, lib, ws.language);
  result.changed = true;
  result.refresh = PageRefresh::AllLists;
  return result;
}

ManagerResult groupNameEdited(const MacroWorkspace& ws, std::string_view text) {
  ManagerResult result;
  if (!hasGroup(ws)) return result;
  MacroLibrary& lib = ws.library;
  std::string& name = lib.groupNames[static_cast<std::size_t>(lib.currentGroup)];
  if (isBlankName(text) || utf16Length(text) > static_cast<std::size_t>(kGroupNameMaxChars)) {
    result.fieldText = name;
    return result;
  }
  if (groupNameTaken(lib, text)) return result;
  if (!isValidNewGroupName(text)) {
    result.message = std::string(kInvalidCharacterMessage);
    result.fieldText = name;
    return result;
  }
  const fs::path oldFile = groupFile(ws.macroFolder, name);
  const fs::path newFile = groupFile(ws.macroFolder, text);
  std::error_code ec;
  if (!fs::is_regular_file(oldFile, ec)) {
    result.message = std::string(kFileNotFoundMessage);
  } else {
    // The file moves first: the index never names a file that is not there.
    fs::rename(oldFile, newFile, ec);
    if (ec) {
      result.message = std::string(kInvalidCharacterMessage);
      result.fieldText = name;
      return result;
    }
  }
  name = std::string(text);
  result.writeFailed = !writeGroupIndex(ws.macroFolder, lib);
  result.changed = true;
  return result;
}

ManagerResult deleteGroup(const MacroWorkspace& ws) {
  ManagerResult result;
  if (!hasGroup(ws)) return result;
  MacroLibrary& lib = ws.library;
  std::error_code ec;
  fs::remove(currentGroupFile(ws), ec);
  for (int g = lib.currentGroup; g + 1 < kMaxGroups; ++g) {
    lib.groupNames[static_cast<std::size_t>(g)] = std::move(lib.groupNames[static_cast<std::size_t>(g + 1)]);
  }
  lib.groupNames[kMaxGroups - 1].clear();
  --lib.groupCount;
  lib.currentGroup = 0;
  result.writeFailed = !writeGroupIndex(ws.macroFolder, lib);
  loadCurrentGroup(ws, result);
  result.changed = true;
  result.refresh = PageRefresh::AllLists;
  return result;
}

ManagerResult chooseGroup(const MacroWorkspace& ws, int group) {
  ManagerResult result;
  if (group < 0 || group >= ws.library.groupCount) return result;
  if (hasCurrentMacro(ws)) result.writeFailed = !writeCurrentMacro(ws);
  ws.library.currentGroup = group;
  loadCurrentGroup(ws, result);
  result.changed = true;
  result.refresh = PageRefresh::AllLists;
  return result;
}

ManagerResult importGroup(const MacroWorkspace& ws, const fs::path& file) {
  ManagerResult result;
  MacroLibrary& lib = ws.library;
  if (lib.groupCount >= kMaxGroups) {
    result.message = std::string(kManagerLimitMessage);
    return result;
  }
  const std::string fileName = file.filename().string();
  const std::string_view ext = kGroupFileExtension;
  const bool named = fileName.size() > ext.size() && fileName.ends_with(ext);
  const std::string name = named ? fileName.substr(0, fileName.size() - ext.size()) : std::string();
  if (!isValidNewGroupName(name)) {
    result.message = std::string(kManagerErrorMessage);
    return result;
  }
  if (groupNameTaken(lib, name)) {
    result.message = std::string(kDoubleNameMessage);
    return result;
  }
  const fs::path target = groupFile(ws.macroFolder, name);
  std::error_code ec;
  const bool copied = !fs::equivalent(file, target, ec);
  if (copied) {
    // Read whole first (never a FIFO, nothing past the size limit), refused when it is not a
    // macro file at all, and written through a temporary file: a full or read-only folder
    // leaves no half group file behind.
    const std::optional<std::string> bytes = readRegularFile(file);
    const bool macroFile = bytes && (bytes->empty() || IniDocument::parse(*bytes).hasSection(kMacroSection));
    if (!macroFile || !replaceFileContents(target, *bytes)) {
      result.message = std::string(kManagerErrorMessage);
      result.writeFailed = macroFile;
      return result;
    }
  }
  if (hasCurrentMacro(ws)) result.writeFailed = !writeCurrentMacro(ws);
  if (!addToIndex(ws, name, result)) {
    if (copied) fs::remove(target, ec);
    return result;
  }
  CollectingPrompter prompter;
  readGroupIndex(ws.macroFolder, lib, prompter);
  lib.currentGroup = std::max(lib.groupCount - 1, 0);
  loadCurrentGroup(ws, result);
  if (prompter.message && !result.message) result.message = prompter.message;
  result.changed = true;
  result.refresh = PageRefresh::AllLists;
  return result;
}

ManagerResult exportGroup(const MacroWorkspace& ws, const fs::path& file) {
  ManagerResult result;
  if (!hasGroup(ws)) {
    result.message = std::string(kManagerErrorMessage);
    return result;
  }
  if (!replaceWithAllMacros(file, ws.store, ws.language)) {
    result.message = std::string(kManagerErrorMessage);
    result.writeFailed = true;
  }
  return result;
}

ManagerResult restoreGroups(const MacroWorkspace& ws) {
  ManagerResult result;
  CollectingPrompter prompter;
  if (!restoreLibrary(ws.macroFolder, ws.resetFolder, ws.language, ws.library, ws.store, ws.currentMacro, prompter)) {
    result.message = std::string(kMissingGroupIndexMessage);
    return result;
  }
  result.message = prompter.message;
  result.changed = true;
  result.refresh = PageRefresh::AllLists;
  return result;
}

}  // namespace tarvosk
