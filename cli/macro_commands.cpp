// macro groups | show FILE [INDEX] | check FILE   (each takes --language english|second)
//
// FILE is a macro file's path, or the name of a group of the current language's library; check
// also takes a group index (macroGrp.ini). The built-in macro file (constMacro.dat) is read as the
// program reads it: 21 macros through the built-in reader's shorter buffer.
// Key names and lighting texts follow the configuration's VER_SEL unless --language is given.

#include <iostream>

#include "cli.h"
#include "macro/event_text.h"
#include "macro/macro_check.h"
#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "platform/profile_file.h"
#include "platform/text.h"
#include "settings/language.h"

namespace tarvosk::cli {

namespace {

namespace fs = std::filesystem;

struct MacroArgs {
  std::vector<std::string> words;
  int32_t language = kLanguageEnglish;
};

// Splits off --language; the language otherwise comes from VER_SEL as the program reads it.
std::optional<MacroArgs> parseArgs(Context& ctx, const std::vector<std::string>& args) {
  MacroArgs parsed;
  std::optional<std::string> language;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--language" && i + 1 < args.size()) {
      language = args[++i];
    } else if (a.rfind("--language=", 0) == 0) {
      language = a.substr(11);
    } else if (a.rfind("--", 0) == 0) {
      ctx.err << "tarvosk-cli: unknown option " << a << '\n';
      return std::nullopt;
    } else {
      parsed.words.push_back(a);
    }
  }
  if (language) {
    if (*language == "english") {
      parsed.language = kLanguageEnglish;
    } else if (*language == "second") {
      parsed.language = kLanguageSecond;
    } else {
      ctx.err << "tarvosk-cli: --language takes english or second\n";
      return std::nullopt;
    }
  } else {
    parsed.language = languageFromVerSel(ProfileFile(ctx.paths.configFile).readInt("Init", "VER_SEL", 5));
  }
  return parsed;
}

// A path as given, or else the file of the group of that name in the library.
fs::path macroFileArgument(const Context& ctx, const std::string& arg, int32_t language) {
  std::error_code ec;
  if (fs::exists(arg, ec) || !isUsableGroupName(arg)) return arg;
  const fs::path group = groupFile(ctx.paths.macroFolder(language), arg);
  return fs::exists(group, ec) ? group : fs::path(arg);
}

// The built-in macro file holds 21 macros and is read through a shorter buffer than group files.
bool isBuiltInMacroFile(const Context& ctx, const fs::path& file) {
  return file.filename() == ctx.paths.builtInMacroFile.filename();
}

int macroGroups(Context& ctx, const std::vector<std::string>& args) {
  const auto parsed = parseArgs(ctx, args);
  if (!parsed || !parsed->words.empty()) {
    if (parsed) ctx.err << "usage: tarvosk-cli macro groups [--language english|second]\n";
    return kExitUsage;
  }
  const fs::path folder = ctx.paths.macroFolder(parsed->language);
  MacroLibrary lib;
  MacroIssues dropped;
  // A listing never writes: groups the program would drop are left out here and told about.
  if (!readGroupIndex(folder, lib, ctx.prompter, &dropped, IndexRepair::InMemoryOnly)) return kExitFailure;
  for (const std::string& d : dropped) ctx.err << "tarvosk-cli: " << d << '\n';
  collectMacroNames(folder, lib, parsed->language);
  for (int g = 0; g < lib.groupCount; ++g) {
    const auto i = static_cast<std::size_t>(g);
    ctx.out << g << '\t' << lib.groupNames[i] << '\t' << lib.macroCounts[i] << '\n';
  }
  return kExitOk;
}

void showMacro(Context& ctx, const MacroRecord& m, int index, int32_t language) {
  ctx.out << "macro " << index << ": " << macroNameText(m) << " playMode=" << int{m.playMode}
          << " repeatCount=" << m.repeatCount << " events=" << m.eventCount << '\n';
  for (const std::string& line : eventListLines(m, language)) ctx.out << line << '\n';
  for (int i = 0; i < m.eventCount; ++i) {
    if (m.eventCode[static_cast<std::size_t>(i)] != code::kLed) continue;
    const int program = m.eventParamA[static_cast<std::size_t>(i)];
    ctx.out << "LED program " << program << ':';
    const std::optional<int> index = ledProgramIndex(m, i);
    if (!index) {
      ctx.out << " none (programs are numbered 0..4)\n";
      continue;
    }
    ctx.out << '\n';
    for (const std::string& line : ledProgramLines(m.ledPrograms[static_cast<std::size_t>(*index)], language)) {
      ctx.out << line << '\n';
    }
  }
}

int macroShow(Context& ctx, const std::vector<std::string>& args) {
  const auto parsed = parseArgs(ctx, args);
  if (!parsed) return kExitUsage;
  const auto& words = parsed->words;
  if (words.empty() || words.size() > 2 || (words.size() == 2 && !isPlainInteger(words[1]))) {
    ctx.err << "usage: tarvosk-cli macro show FILE [INDEX] [--language english|second]\n";
    return kExitUsage;
  }
  const fs::path file = macroFileArgument(ctx, words[0], parsed->language);
  MacroStore store;
  const bool read = isBuiltInMacroFile(ctx, file) ? readBuiltInMacros(file, parsed->language, store, ctx.prompter)
                                                  : readGroupFile(file, parsed->language, store, ctx.prompter);
  if (!read) return kExitFailure;
  if (words.size() == 2) {
    const int index = wtoi(words[1]);
    if (index < 0 || index >= store.count) {
      ctx.err << "tarvosk-cli: " << file.string() << " has " << store.count << " macro(s); no macro " << index << '\n';
      return kExitFailure;
    }
    showMacro(ctx, store.slots[static_cast<std::size_t>(index)], index, parsed->language);
    return kExitOk;
  }
  for (int i = 0; i < store.count; ++i) showMacro(ctx, store.slots[static_cast<std::size_t>(i)], i, parsed->language);
  return kExitOk;
}

int macroCheck(Context& ctx, const std::vector<std::string>& args) {
  const auto parsed = parseArgs(ctx, args);
  if (!parsed) return kExitUsage;
  if (parsed->words.size() != 1) {
    ctx.err << "usage: tarvosk-cli macro check FILE [--language english|second]\n";
    return kExitUsage;
  }
  const fs::path file = macroFileArgument(ctx, parsed->words[0], parsed->language);
  const bool isIndex = file.filename() == kGroupIndexFileName;
  const std::optional<MacroIssues> issues = isIndex ? checkGroupIndexFile(file)
                                            : isBuiltInMacroFile(ctx, file)
                                                ? checkBuiltInMacroFile(file, parsed->language)
                                                : checkMacroFile(file, parsed->language);
  if (!issues) {
    ctx.prompter.showMessage(isIndex ? kMissingGroupIndexMessage : kMissingMacroFileMessage);
    ctx.err << "tarvosk-cli: cannot read " << file.string() << '\n';
    return kExitFailure;
  }
  for (const std::string& issue : *issues) ctx.out << issue << '\n';
  if (!issues->empty()) return kExitFailure;
  ctx.out << "no problems found\n";
  return kExitOk;
}

}  // namespace

void addMacroCommands(std::vector<Command>& commands) {
  commands.push_back({"macro", "groups", "[--language english|second]", macroGroups});
  commands.push_back({"macro", "show", "FILE [INDEX] [--language english|second]", macroShow});
  commands.push_back({"macro", "check", "FILE [--language english|second]", macroCheck});
}

}  // namespace tarvosk::cli
