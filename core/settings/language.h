#pragma once
// What the interface language selects: the language value from VER_SEL, the lighting-mode
// names and the keys of the profile names.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvosk {

inline constexpr int32_t kLanguageSecond = 0;
inline constexpr int32_t kLanguageEnglish = 1;

// `language` is the low byte of the number stored as VER_SEL.
int32_t languageFromVerSel(int verSel);
inline bool isEnglish(int32_t language) { return language != 0; }

// The six lighting-mode names of a language (entries 0..4 are the menu's items 1..5).
const std::array<std::string_view, 6>& ledModeNames(int32_t language);

// Entry of the mode-name table that names `ledType`, or -1 when the mode has no name there
// (0, 1, 2 name themselves, 8 is entry 3, 9 is entry 4).
int ledModeEntry(int ledType);

// Caption of the lighting-mode item: the table entry for `ledType`, or `itemCaption` when the
// mode has none.
std::string ledModeCaption(int32_t language, int ledType, std::string_view itemCaption);

// Key under `Init` of the name of profile tab `tab` (1..3): ConfigName<n>, or ConfigName<n>_EN in English.
std::string profileNameKey(int32_t language, int tab);

}  // namespace tarvosk
