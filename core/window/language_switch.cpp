#include "window/language_switch.h"

#include "macro/macro_file.h"
#include "platform/profile_file.h"
#include "settings/config_file.h"

namespace tarvosk {

LanguageSwitchResult switchInterfaceLanguage(LanguageSwitchState& state, int32_t language, Prompter& prompter) {
  LanguageSwitchResult result;
  SettingsRecord& s = state.record;

  // The group being edited goes back into the folder of the language being left.
  if (state.library.groupCount > 0) {
    const int g = state.library.currentGroup;
    if (g >= 0 && g < state.library.groupCount) {
      const std::filesystem::path file =
          groupFile(state.paths.macroFolder(s.language), state.library.groupNames[static_cast<std::size_t>(g)]);
      result.macrosSaved = writeAllMacros(file, state.macros, s.language);
    }
  }

  s.language = language;
  ProfileFile config(state.paths.configFile);
  // As every write of VER_SEL, a failure is not reported: the next switch or apply writes it again.
  (void)config.writeInt("Init", "VER_SEL", language);
  if (const std::optional<IniDocument> doc = IniDocument::load(state.paths.configFile)) {
    s.profileName = readProfileNames(*doc, language, 15);
  } else {
    s.profileName = {};
  }

  result.layouts = loadAllLayouts(state.paths, language, prompter, state.layout);

  const std::filesystem::path folder = state.paths.macroFolder(language);
  state.library = MacroLibrary{};
  state.macros = MacroStore{};
  state.currentMacro = 0;
  // Reading the index makes group 0 current, in the new library as at start-up.
  readGroupIndex(folder, state.library, prompter);
  if (state.library.groupCount > 0) {
    loadGroup(folder, state.library, state.library.currentGroup, language, state.macros, prompter);
  }
  collectMacroNames(folder, state.library, language);
  return result;
}

}  // namespace tarvosk
