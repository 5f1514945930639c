#pragma once
// Switching the interface language while the program runs: what is saved, what is reloaded and
// in which order. The window carries out the parts that touch widgets (the profile name fields,
// the macro page's lists, the menus and the title) after this has run.

#include <cstdint>

#include "macro/macro_library.h"
#include "macro/macro_record.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "settings/settings_record.h"
#include "skin/skin_layout.h"

namespace tarvosk {

struct LanguageSwitchState {
  SettingsRecord& record;  // language and profile names change; nothing else
  const Paths& paths;
  SkinLayout& layout;
  MacroLibrary& library;
  MacroStore& macros;
  int& currentMacro;
};

struct LanguageSwitchResult {
  // FileMissing: a layout file of the new language is missing; its message has been shown and the
  // program must leave.
  LayoutLoadResult layouts = LayoutLoadResult::Loaded;
  // False when the group being edited could not be written back into the old language's folder.
  bool macrosSaved = true;
};

// Reads the macro library of `language` as start-up does: the group index (group 0 becomes
// current), that group into `macros` with macro 0 current, and the macro names of every group.
void loadLanguageLibrary(const Paths& paths, int32_t language, MacroLibrary& library, MacroStore& macros,
                         int& currentMacro, Prompter& prompter);

// Switches to `language` (0 second language, 1 English), also when it is the language already
// active: the group being edited is written into its file in the folder of the language being
// left (when there is a group), VER_SEL is written, the profile names of the new language are
// read (buffer 15; missing ones are empty), the layouts of the new language are loaded (main,
// lighting, advanced, macro, warning), and the new language's macro library is read: its group
// index, group 0 (now current) with macro 0, and the macro names of every group.
LanguageSwitchResult switchInterfaceLanguage(LanguageSwitchState& state, int32_t language, Prompter& prompter);

}  // namespace tarvosk
