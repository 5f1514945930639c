#include "settings/language.h"

namespace tarvosk {

int32_t languageFromVerSel(int verSel) { return verSel & 0xFF; }

const std::array<std::string_view, 6>& ledModeNames(int32_t language) {
  static constexpr std::array<std::string_view, 6> kEnglish = {"DPI breath",      "Cycle breath", "Constantly",
                                                               "Button response", "Mute",         "Cycle breath"};
  // The trailing space of entry 4 is part of the name.
  static constexpr std::array<std::string_view, 6> kSecond = {"Ilumimação breath", "Ciclo breath", "Constantemente",
                                                              "Resposta do Botão", "Mudo ",        "Ciclo breath"};
  return isEnglish(language) ? kEnglish : kSecond;
}

int ledModeEntry(int ledType) {
  switch (ledType) {
    case 0: return 0;
    case 1: return 1;
    case 2: return 2;
    case 8: return 3;
    case 9: return 4;
    default: return -1;
  }
}

std::string ledModeCaption(int32_t language, int ledType, std::string_view itemCaption) {
  const int entry = ledModeEntry(ledType);
  return std::string(entry < 0 ? itemCaption : ledModeNames(language)[entry]);
}

std::string profileNameKey(int32_t language, int tab) {
  std::string key = "ConfigName" + std::to_string(tab);
  if (isEnglish(language)) key += "_EN";
  return key;
}

}  // namespace tarvosk
