#include "settings/profiles.h"

#include <system_error>

#include "platform/file_replace.h"
#include "platform/profile_file.h"
#include "platform/text.h"
#include "settings/config_file.h"
#include "settings/language.h"

namespace tarvosk {

namespace fs = std::filesystem;

NameEditOutcome editProfileName(SettingsRecord& s, int tab, std::string_view text, const fs::path& configFile) {
  NameEditOutcome outcome;
  if (tab < 1 || tab > kProfileTabs) {
    outcome.written = false;
    return outcome;
  }
  std::string& stored = s.profileName[tab - 1];
  ProfileFile file(configFile);
  const std::string key = profileNameKey(s.language, tab);
  outcome.fieldText = std::string(text);
  // The stored name first: the field reports the text a revert put back like any other change,
  // and that text must end the exchange even when the stored name itself breaks the length rule
  // (a hand-edited file), or the field would be reverted again and again.
  if (text == stored) return outcome;
  const std::size_t length = utf16Length(text);
  if (length == 0 || length > kProfileNameMaxLength) {
    outcome.action = NameEditOutcome::Action::Reverted;
    outcome.fieldText = stored;
    outcome.written = file.writeString("Init", key, stored);
    return outcome;
  }
  stored = std::string(text);
  outcome.action = NameEditOutcome::Action::Stored;
  outcome.written = file.writeString("Init", key, stored);
  return outcome;
}

bool resetToFactory(SettingsRecord& s, const Paths& paths, Prompter& prompter) {
  // A damaged factory file would zero every slot: refuse it before anything changes.
  if (const std::optional<IniDocument> factory = IniDocument::load(paths.factoryConfigFile)) {
    if (countKnownKeys(*factory) == 0) {
      prompter.showMessage(kFactoryConfigUnusableMessage);
      return false;
    }
  }
  bool ok = true;
  bool written = true;
  for (int slot = kProfileSlots - 1; slot >= 0; --slot) {
    ok = loadSlot(s, paths, slot, ConfigSource::Factory, prompter) && ok;
    written = saveSlot(s, paths.configFile, slot) && written;
  }
  if (!written) prompter.showMessage(kConfigNotWrittenMessage);
  return ok && written;
}

namespace {

// Copies so that the target is either the old file or the complete new one (see
// replaceFileContents: a link is written through, a device node written in place, the mode kept).
bool copyReplacing(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) return true;
  const std::optional<std::string> bytes = readRegularFile(from);
  return bytes && replaceFileContents(to, *bytes);
}

}  // namespace

TransferResult exportProfile(const Paths& paths, const fs::path& target, Prompter& prompter) {
  std::error_code ec;
  if (!fs::is_regular_file(paths.configFile, ec) || !copyReplacing(paths.configFile, target)) {
    prompter.showMessage(kErrorMessage);
    return TransferResult::Error;
  }
  return TransferResult::Ok;
}

TransferResult importProfile(SettingsRecord& s, const Paths& paths, const fs::path& source, Prompter& prompter) {
  const std::optional<std::string> bytes = readRegularFile(source);
  if (!bytes) {
    prompter.showMessage(kErrorMessage);
    return TransferResult::Error;
  }
  const IniDocument doc = IniDocument::parse(*bytes);
  const auto names = readProfileNames(doc, s.language, 10);
  const bool haveNames = !names[0].empty() && !names[1].empty() && !names[2].empty();
  // Checked before anything is replaced: a file that is not a configuration at all never takes
  // the place of the user's settings. (A configuration of the other language still comes in.)
  if (!haveNames && countKnownKeys(doc) == 0) {
    prompter.showMessage(kFileVersionErrorMessage);
    return TransferResult::FileVersionError;
  }
  std::error_code ec;
  const bool same = fs::exists(paths.configFile, ec) && fs::equivalent(source, paths.configFile, ec);
  if (!same && !replaceFileContents(paths.configFile, *bytes)) {
    prompter.showMessage(kErrorMessage);
    return TransferResult::Error;
  }
  TransferResult result = TransferResult::Ok;
  if (haveNames) {
    s.profileName = names;
  } else {
    prompter.showMessage(kFileVersionErrorMessage);
    result = TransferResult::FileVersionError;
  }
  for (int slot = 0; slot < kProfileSlots; ++slot) loadSlot(s, paths, slot, ConfigSource::Current, prompter);
  return result;
}

}  // namespace tarvosk
