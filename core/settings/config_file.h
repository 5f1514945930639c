#pragma once
// The configuration file (config.ini) and its factory copy (configReset.ini): which keys hold
// which fields, in which order they are read and written, and with which read buffer sizes.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/prompter.h"
#include "settings/settings_record.h"

namespace tarvosk {

class IniDocument;

enum class ConfigSource { Current, Factory };

inline constexpr std::string_view kMissingConfigMessage = "Error：Config.ini文件不存在!";
inline constexpr std::string_view kMissingFactoryConfigMessage = "Error：ConfigReset.ini文件不存在!";

// Fills the per-slot fields of `slot` and every shared field from config.ini (or configReset.ini).
// A missing or unreadable file shows the missing-file message and leaves the record unchanged;
// returns false then, and for a slot outside 0..3.
bool loadSlot(SettingsRecord& s, const Paths& paths, int slot, ConfigSource source, Prompter& prompter);
// The same from a parsed document (no message; used by loadSlot and by tools that check files).
void loadSlotFrom(SettingsRecord& s, const IniDocument& doc, int slot);

// Writes the slot's section and the whole ShareData section into `file`. Returns false when the
// file could not be written; the record is never changed.
bool saveSlot(const SettingsRecord& s, const std::filesystem::path& file, int slot);
void saveSlotTo(const SettingsRecord& s, IniDocument& doc, int slot);

// Writes DPI_LEVEL alone into ShareData of `file`.
bool saveDpiLevel(const SettingsRecord& s, const std::filesystem::path& file);

// Writes CurConfig = currentProfile under Init of `file`.
bool saveCurrentProfile(const SettingsRecord& s, const std::filesystem::path& file);

// The three profile names of `language` read from `doc` with a buffer of `bufferChars`.
std::array<std::string, kProfileTabs> readProfileNames(const IniDocument& doc, int32_t language,
                                                       std::size_t bufferChars);

// How many of the keys the loader reads are present in `doc` (0: not a configuration at all).
int countKnownKeys(const IniDocument& doc);

// What start-up found worth telling about the configuration file besides the values: encoding
// repairs (see IniReadNotes) and whether any key the program reads was there at all.
struct ConfigReadReport {
  std::vector<std::string> notes;  // describeReadNotes of the file
  int knownKeys = 0;               // 0: every field read as 0; an upload would send zeros
};
// A plain sentence for a configuration without any known key, naming the file.
std::string noKnownKeyMessage(const std::filesystem::path& file);

// What start-up reads, in start-up's order: CurConfig, VER_SEL, ConfigNum, the profile names of
// the language (buffer 15), then slots 0, 1, 2, 3. A CurConfig outside 0..3 selects slot 0.
// Returns false (after the missing-file message) when config.ini is missing.
bool loadAtStartup(SettingsRecord& s, const Paths& paths, Prompter& prompter);
// The same, also filling `report` when the file was read.
bool loadAtStartup(SettingsRecord& s, const Paths& paths, Prompter& prompter, ConfigReadReport& report);

// One value of the file that is not a plain decimal number (it still reads leniently).
struct MalformedValue {
  std::string section;
  std::string key;
  std::string value;
};
// Every key the loader reads whose present value is not a plain decimal integer.
std::vector<MalformedValue> findMalformedValues(const IniDocument& doc);

}  // namespace tarvosk
