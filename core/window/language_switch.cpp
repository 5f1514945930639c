#include "window/language_switch.h"

#include "macro/macro_file.h"
#include "platform/profile_file.h"
#include "settings/config_file.h"

namespace tarvosk {

void loadLanguageLibrary(const Paths& paths, int32_t language, MacroLibrary& library, MacroStore& macros,
                         int& currentMacro, Prompter& prompter) {
  const std::filesystem::path folder = paths.macroFolder(language);
  library = MacroLibrary{};
  macros = MacroStore{};
  currentMacro = 0;
  // Reading the index makes group 0 current.
  readGroupIndex(folder, library, prompter);
  if (library.groupCount > 0) loadGroup(folder, library, library.currentGroup, language, macros, prompter);
  collectMacroNames(folder, library, language);
}

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

  loadLanguageLibrary(state.paths, language, state.library, state.macros, state.currentMacro, prompter);
  return result;
}

}  // namespace tarvosk
