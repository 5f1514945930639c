#include "settings/profiles.h"

#include <system_error>

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
  bool ok = true;
  for (int slot = kProfileSlots - 1; slot >= 0; --slot) {
    ok = loadSlot(s, paths, slot, ConfigSource::Factory, prompter) && ok;
    ok = saveSlot(s, paths.configFile, slot) && ok;
  }
  return ok;
}

namespace {

// Copies through a temporary file and a rename, so the target is either the old file or the
// complete new one.
bool copyReplacing(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) return true;
  fs::path temp = to;
  temp += ".tmp-copy";
  fs::copy_file(from, temp, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  fs::rename(temp, to, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
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
  std::error_code ec;
  if (!fs::is_regular_file(source, ec) || !copyReplacing(source, paths.configFile)) {
    prompter.showMessage(kErrorMessage);
    return TransferResult::Error;
  }
  TransferResult result = TransferResult::Ok;
  const std::optional<IniDocument> doc = IniDocument::load(paths.configFile);
  const auto names = doc ? readProfileNames(*doc, s.language, 10) : std::array<std::string, kProfileTabs>{};
  if (!names[0].empty() && !names[1].empty() && !names[2].empty()) {
    s.profileName = names;
  } else {
    prompter.showMessage(kFileVersionErrorMessage);
    result = TransferResult::FileVersionError;
  }
  for (int slot = 0; slot < kProfileSlots; ++slot) loadSlot(s, paths, slot, ConfigSource::Current, prompter);
  return result;
}

}  // namespace tarvosk
