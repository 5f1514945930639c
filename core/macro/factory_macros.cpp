#include "macro/factory_macros.h"

#include <system_error>

#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "platform/paths.h"
#include "settings/language.h"

namespace tarvosk {

namespace fs = std::filesystem;

namespace {

constexpr uint8_t kCtrl = 0xE0;
constexpr uint8_t kShift = 0xE1;
constexpr uint8_t kAlt = 0xE2;
constexpr uint8_t kWin = 0xE3;
constexpr uint8_t kTab = 0x2B;
constexpr uint8_t kF5 = 0x3E;
constexpr uint16_t kKeyGapMs = 30;  // between the keys of a shortcut: long enough for any application

uint8_t letter(char c) { return static_cast<uint8_t>(0x04 + (c - 'A')); }

class Builder {
 public:
  Builder(std::string_view name, uint8_t playMode = play::kOnce, uint16_t repeatCount = 1) {
    setMacroName(m_macro, name);
    m_macro.playMode = playMode;
    m_macro.repeatCount = repeatCount;
  }
  Builder& event(uint8_t eventType, uint8_t eventCode, uint16_t delay, uint16_t a = 0, uint16_t b = 0) {
    const auto i = m_macro.eventCount++;
    m_macro.eventType[i] = eventType;
    m_macro.eventCode[i] = eventCode;
    m_macro.eventParamA[i] = a;
    m_macro.eventParamB[i] = b;
    m_macro.eventDelay[i] = delay;
    if (eventCode == code::kDpi) ++m_macro.dpiCount;
    if (eventCode == code::kMove) ++m_macro.moveCount;
    return *this;
  }
  Builder& press(uint8_t key, uint16_t delay = kKeyGapMs) { return event(type::kPress, key, delay); }
  Builder& release(uint8_t key, uint16_t delay = kKeyGapMs) { return event(type::kRelease, key, delay); }
  // Holds the modifiers, taps `key`, lets go in reverse order.
  Builder& chord(std::initializer_list<uint8_t> modifiers, uint8_t key) {
    for (uint8_t mod : modifiers) press(mod);
    press(key).release(key);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) release(*it);
    return *this;
  }
  Builder& clicks(int count, uint16_t holdMs, uint16_t gapMs) {
    for (int i = 0; i < count; ++i) {
      press(code::kLeftButton, holdMs);
      release(code::kLeftButton, gapMs);
    }
    return *this;
  }
  MacroRecord done() {
    if (m_macro.eventCount > 0) m_macro.eventDelay[m_macro.eventCount - 1] = 0;
    return m_macro;
  }

 private:
  MacroRecord m_macro;
};

MacroStore storeOf(std::initializer_list<MacroRecord> macros) {
  MacroStore store;
  for (const MacroRecord& m : macros) store.slots[static_cast<std::size_t>(store.count++)] = m;
  return store;
}

bool writeLibrary(const fs::path& folder, const std::vector<FactoryGroup>& groups, int32_t language) {
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder, ec);
  if (ec) return false;
  MacroLibrary lib;
  bool ok = true;
  for (const FactoryGroup& g : groups) {
    lib.groupNames[static_cast<std::size_t>(lib.groupCount++)] = g.name;
    ok = writeAllMacros(groupFile(folder, g.name), g.store, language) && ok;
  }
  return writeGroupIndex(folder, lib) && ok;
}

}  // namespace

BuiltInMacroTable factoryBuiltInMacros() {
  const auto& n = kBuiltInMacroNames;
  BuiltInMacroTable table = storeOf({
      Builder(n[0]).chord({kCtrl}, letter('C')).done(),
      Builder(n[1]).chord({kCtrl}, letter('V')).done(),
      Builder(n[2]).chord({kCtrl}, letter('X')).done(),
      Builder(n[3]).chord({kCtrl}, letter('Z')).done(),
      Builder(n[4]).chord({kCtrl}, letter('Y')).done(),
      Builder(n[5]).chord({kCtrl}, letter('A')).done(),
      Builder(n[6]).clicks(3, 30, 70).done(),
      Builder(n[7]).clicks(5, 20, 30).done(),
      Builder(n[8]).chord({kCtrl}, letter('S')).done(),
      Builder(n[9]).chord({kCtrl}, letter('F')).done(),
      Builder(n[10]).chord({kCtrl}, letter('P')).done(),
      Builder(n[11]).chord({kCtrl}, letter('T')).done(),
      Builder(n[12]).chord({kCtrl}, letter('W')).done(),
      Builder(n[13]).chord({kCtrl, kShift}, letter('T')).done(),
      Builder(n[14]).chord({kCtrl}, kTab).done(),
      Builder(n[15]).chord({kCtrl, kShift}, kTab).done(),
      Builder(n[16]).chord({kAlt}, kTab).done(),
      Builder(n[17]).chord({kWin}, letter('D')).done(),
      Builder(n[18]).chord({kWin}, letter('L')).done(),
      Builder(n[19]).press(kF5).release(kF5).done(),
      Builder(n[20]).clicks(2, 30, 70).done(),
  });
  return table;
}

std::vector<FactoryGroup> factoryMacroGroups(int32_t language) {
  const bool en = isEnglish(language);
  auto name = [en](std::string_view english, std::string_view second) { return en ? english : second; };
  std::vector<FactoryGroup> groups;
  groups.push_back({std::string(name("Office", "Escritório")),
                    storeOf({
                        Builder(name("Copy", "Copiar")).chord({kCtrl}, letter('C')).done(),
                        Builder(name("Paste", "Colar")).chord({kCtrl}, letter('V')).done(),
                        Builder(name("Cut", "Recortar")).chord({kCtrl}, letter('X')).done(),
                        Builder(name("Undo", "Desfazer")).chord({kCtrl}, letter('Z')).done(),
                        Builder(name("Redo", "Refazer")).chord({kCtrl}, letter('Y')).done(),
                        Builder(name("SelectAll", "Sel. tudo")).chord({kCtrl}, letter('A')).done(),
                        Builder(name("Save", "Salvar")).chord({kCtrl}, letter('S')).done(),
                        Builder(name("Find", "Localizar")).chord({kCtrl}, letter('F')).done(),
                    })});
  groups.push_back({std::string(name("Gaming", "Jogos")),
                    storeOf({
                        Builder(name("Burst x3", "Rajada x3")).clicks(3, 30, 70).done(),
                        Builder(name("Rapid x5", "Rápido x5")).clicks(5, 20, 30).done(),
                        // Ten clicks in a row: the closing pause keeps the repetitions apart.
                        Builder(name("Auto fire", "Tiro auto"), play::kRepeat, 10)
                            .clicks(1, 25, 55)
                            .event(type::kPause, code::kPause, 0)
                            .done(),
                        // Precise aim for three seconds, then back to the sensitivity in force before.
                        Builder(name("Sniper", "Precisão"))
                            .event(type::kDpiSet, code::kDpi, 3000, 2)
                            .event(type::kDpiReset, code::kDpi, 0)
                            .done(),
                    })});
  return groups;
}

bool writeFactoryMacroData(const fs::path& dataFolder) {
  std::error_code ec;
  const fs::path builtIn = dataFolder / "constMacro.dat";
  fs::remove(builtIn, ec);
  bool ok = writeAllMacros(builtIn, factoryBuiltInMacros(), kLanguageEnglish);
  const Paths paths = portablePaths(dataFolder, dataFolder / "skins");
  for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
    const std::vector<FactoryGroup> groups = factoryMacroGroups(language);
    ok = writeLibrary(paths.macroFolder(language), groups, language) && ok;
    ok = writeLibrary(paths.macroResetFolder(language), groups, language) && ok;
  }
  return ok;
}

}  // namespace tarvosk
