#include "macro/key_tables.h"

#include <array>
#include <string_view>
#include <utility>

namespace tarvosk {

namespace {

using CodeTable = std::array<uint8_t, 256>;

struct Pair {
  uint8_t from;
  uint8_t to;
};

CodeTable identity() {
  CodeTable t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
  return t;
}

void put(CodeTable& t, std::initializer_list<Pair> pairs) {
  for (const Pair& p : pairs) t[p.from] = p.to;
}

// HID -> virtual key, the rows both languages share.
CodeTable writerCommon() {
  CodeTable t = identity();
  for (int u = 0x04; u <= 0x1D; ++u) t[u] = static_cast<uint8_t>(u + 61);
  for (int u = 0x1E; u <= 0x26; ++u) t[u] = static_cast<uint8_t>(u + 19);
  for (int u = 0x3A; u <= 0x45; ++u) t[u] = static_cast<uint8_t>(u + 54);
  for (int u = 0x59; u <= 0x61; ++u) t[u] = static_cast<uint8_t>(u + 8);
  for (int u = 0x68; u <= 0x73; ++u) t[u] = static_cast<uint8_t>(u + 20);
  put(t, {{0x27, 48},  {0x28, 13},  {0x29, 27},  {0x2A, 8},   {0x2B, 9},   {0x2C, 32},  {0x36, 188}, {0x37, 190},
          {0x34, 222}, {0x39, 20},  {0x46, 44},  {0x47, 145}, {0x48, 19},  {0x49, 45},  {0x4A, 36},  {0x4B, 33},
          {0x4C, 46},  {0x4D, 35},  {0x4E, 34},  {0x4F, 39},  {0x50, 37},  {0x51, 40},  {0x52, 38},  {0x53, 144},
          {0x54, 111}, {0x55, 106}, {0x56, 109}, {0x57, 107}, {0x62, 96},  {0x63, 110}, {0x65, 93},  {0x74, 43},
          {0x75, 47},  {0x77, 41},  {0x9C, 12},  {0x9F, 108}, {0xE0, 162}, {0xE1, 160}, {0xE2, 164}, {0xE3, 91},
          {0xE4, 163}, {0xE5, 161}, {0xE6, 165}, {0xE7, 92},  {0xF1, 240}, {0xF2, 242}, {0xF3, 241}});
  return t;
}

// Virtual key -> HID, the rows both languages share.
CodeTable readerCommon() {
  CodeTable t = identity();
  for (int k = 65; k <= 90; ++k) t[k] = static_cast<uint8_t>(k - 61);
  for (int k = 49; k <= 57; ++k) t[k] = static_cast<uint8_t>(k - 19);
  for (int k = 112; k <= 123; ++k) t[k] = static_cast<uint8_t>(k - 54);
  for (int k = 124; k <= 135; ++k) t[k] = static_cast<uint8_t>(k - 20);
  for (int k = 97; k <= 105; ++k) t[k] = static_cast<uint8_t>(k - 8);
  put(t, {{48, 0x27},  {13, 0x28},  {27, 0x29},  {8, 0x2A},   {9, 0x2B},   {32, 0x2C},  {188, 0x36}, {190, 0x37},
          {222, 0x34}, {20, 0x39},  {44, 0x46},  {145, 0x47}, {19, 0x48},  {45, 0x49},  {36, 0x4A},  {33, 0x4B},
          {46, 0x4C},  {35, 0x4D},  {34, 0x4E},  {39, 0x4F},  {37, 0x50},  {40, 0x51},  {38, 0x52},  {144, 0x53},
          {111, 0x54}, {106, 0x55}, {109, 0x56}, {107, 0x57}, {96, 0x62},  {110, 0x63}, {93, 0x65},  {43, 0x74},
          {47, 0x75},  {41, 0x77},  {12, 0x9C},  {108, 0x9F}, {162, 0xE0}, {160, 0xE1}, {164, 0xE2}, {91, 0xE3},
          {163, 0xE4}, {161, 0xE5}, {165, 0xE6}, {92, 0xE7},  {240, 0xF1}, {241, 0xF3}});
  // The side-neutral Shift, Control and Alt codes would otherwise land on the letter usages
  // 0x10..0x12 (M, N, O); a hand-written file meaning "Shift" gets the left-hand key instead.
  put(t, {{16, 0xE1}, {17, 0xE0}, {18, 0xE2}});
  return t;
}

struct Tables {
  CodeTable writer;
  CodeTable reader;
};

Tables makeTables(bool english) {
  Tables t{writerCommon(), readerCommon()};
  if (english) {
    put(t.writer,
        {{0x2D, 189}, {0x2E, 187}, {0x2F, 219}, {0x30, 221}, {0x31, 220}, {0x33, 186}, {0x35, 192}, {0x38, 191}});
    put(t.reader,
        {{186, 0x33}, {187, 0x2E}, {189, 0x2D}, {191, 0x38}, {192, 0x35}, {219, 0x2F}, {220, 0x31}, {221, 0x30}});
  } else {
    put(t.writer, {{0x2D, 219},
                   {0x2E, 221},
                   {0x2F, 187},
                   {0x30, 186},
                   {0x31, 191},
                   {0x33, 192},
                   {0x35, 220},
                   {0x38, 189},
                   {0x64, 226}});
    put(t.reader, {{186, 0x30},
                   {187, 0x2F},
                   {189, 0x38},
                   {191, 0x31},
                   {192, 0x33},
                   {219, 0x2D},
                   {220, 0x35},
                   {221, 0x2E},
                   {226, 0x64}});
  }
  return t;
}

const Tables& tables(int32_t language) {
  static const Tables kEnglish = makeTables(true);
  static const Tables kSecond = makeTables(false);
  return language != 0 ? kEnglish : kSecond;
}

std::string_view punctuationName(uint8_t hid, bool english) {
  switch (hid) {
    case 0x2D: return english ? "-" : "'";
    case 0x2E: return english ? "+" : "«";
    case 0x2F: return english ? "[{" : "+";
    case 0x30: return english ? "]}" : "´´";
    case 0x31: return english ? "|" : "~~";
    case 0x33: return english ? ";:" : "ç";
    case 0x34: return english ? " ' " : "º";
    case 0x35: return english ? "`~" : "|";
    case 0x38: return english ? "/?" : "-";
    default: return {};
  }
}

std::string_view fixedName(uint8_t hid) {
  static constexpr std::array<std::pair<uint8_t, std::string_view>, 47> kNames = {{
      {0x27, "0"},         {0x28, "RETURN"},   {0x29, "ESCAPE"},  {0x2A, "BACKSPACE"}, {0x2B, "TAB"},
      {0x2C, "SPACE"},     {0x36, ","},        {0x37, "."},       {0x39, "CAPITAL"},   {0x46, "SNAPSHOT"},
      {0x47, "SCROLL"},    {0x48, "PAUSE"},    {0x49, "INSERT"},  {0x4A, "HOME"},      {0x4B, "PRIOR"},
      {0x4C, "DELETE"},    {0x4D, "END"},      {0x4E, "NEXT"},    {0x4F, "RIGHT"},     {0x50, "LEFT"},
      {0x51, "DOWN"},      {0x52, "UP"},       {0x53, "NUMLOCK"}, {0x54, "DIVIDE"},    {0x55, "MULTIPLY"},
      {0x56, "SUBTRACT"},  {0x57, "ADD"},      {0x62, "NUMPAD0"}, {0x63, "DECIMAL"},   {0x65, "APPS"},
      {0x74, "EXECUTE"},   {0x75, "HELP"},     {0x76, "MENU"},    {0x77, "SELECT"},    {0x9C, "CLEAR"},
      {0x9F, "SEPARATOR"}, {0xE0, "LCONTROL"}, {0xE1, "LSHIFT"},  {0xE2, "LMENU"},     {0xE3, "LWIN"},
      {0xE4, "RCONTROL"},  {0xE5, "RSHIFT"},   {0xE6, "RMENU"},   {0xE7, "RWIN"},      {0xF1, "L-KEY"},
      {0xF2, "M-KEY"},     {0xF3, "R-KEY"},
  }};
  for (const auto& [code, name] : kNames) {
    if (code == hid) return name;
  }
  return {};
}

}  // namespace

std::string keyName(uint8_t hid, int32_t language) {
  if (hid >= 0x04 && hid <= 0x1D) return std::string(1, static_cast<char>(hid + 61));
  if (hid >= 0x1E && hid <= 0x26) return std::to_string(hid - 29);
  if (hid >= 0x3A && hid <= 0x45) return "F" + std::to_string(hid - 0x3A + 1);
  if (hid >= 0x59 && hid <= 0x61) return "NUMPAD" + std::to_string(hid - 0x59 + 1);
  if (hid >= 0x68 && hid <= 0x73) return "F" + std::to_string(hid - 0x68 + 13);
  if (const std::string_view p = punctuationName(hid, language != 0); !p.empty()) return std::string(p);
  if (const std::string_view f = fixedName(hid); !f.empty()) return std::string(f);
  return "Unkown";
}

bool hasKeyName(uint8_t hid, int32_t language) { return keyName(hid, language) != "Unkown"; }

uint8_t hidToVirtualKey(uint8_t hid, int32_t language) { return tables(language).writer[hid]; }

uint8_t virtualKeyToHid(uint8_t virtualKey, int32_t language) { return tables(language).reader[virtualKey]; }

}  // namespace tarvosk
