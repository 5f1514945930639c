#pragma once
// Profile operations on the settings record and the configuration file: renaming a profile tab,
// persisting the selected slot, factory reset, export and import of the whole file.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/paths.h"
#include "platform/prompter.h"
#include "settings/settings_record.h"

namespace tarvosk {

inline constexpr std::string_view kErrorMessage = "Error!";
inline constexpr std::string_view kFileVersionErrorMessage = "File version error!";
inline constexpr std::size_t kProfileNameMaxLength = 10;
// Our own messages where the program would otherwise fail silently or lose the user's file.
inline constexpr std::string_view kFactoryConfigUnusableMessage =
    "configReset.ini holds none of the settings' keys; nothing was reset.";
inline constexpr std::string_view kConfigNotWrittenMessage =
    "The settings could not be written to config.ini (is its folder read-only or full?); it is unchanged.";

struct NameEditOutcome {
  enum class Action {
    Unchanged,  // the text equals the stored name: nothing written
    Stored,     // the text became the stored name and was written
    Reverted,   // empty or too long: the stored name was written again and goes back into the field
  };
  Action action = Action::Unchanged;
  std::string fieldText;  // what the name field shows afterwards
  bool written = true;    // false when the configuration file could not be written
};

// Validates the text of profile tab `tab` (1..3) after an edit and persists it under the
// language's key. Text equal to the stored name changes nothing, whatever its length (so the
// notification that follows a revert ends there); otherwise empty text or more than 10
// characters brings the stored name back.
NameEditOutcome editProfileName(SettingsRecord& s, int tab, std::string_view text,
                                const std::filesystem::path& configFile);

// Loads slots 3, 2, 1, 0 from the factory copy and saves each into config.ini. Names and Init
// stay. Returns false when the factory copy was missing (its message shown once per slot), holds
// none of the settings' keys (kFactoryConfigUnusableMessage, nothing changed) or a save failed
// (kConfigNotWrittenMessage once).
bool resetToFactory(SettingsRecord& s, const Paths& paths, Prompter& prompter);

enum class TransferResult { Ok, Error, FileVersionError };

// Copies config.ini to `target`, replacing it. "Error!" when the copy did not succeed.
TransferResult exportProfile(const Paths& paths, const std::filesystem::path& target, Prompter& prompter);

// Copies `source` over config.ini, takes its three profile names of the current language
// (buffer 10) when all are present ("File version error!" otherwise) and reloads slots 0..3.
// A source that is not a configuration at all (no names, none of the settings' keys) is not
// taken: "File version error!" and nothing changes. "Error!" when `source` is not a readable
// regular file or could not be copied; nothing changes then either.
TransferResult importProfile(SettingsRecord& s, const Paths& paths, const std::filesystem::path& source,
                             Prompter& prompter);

}  // namespace tarvosk
