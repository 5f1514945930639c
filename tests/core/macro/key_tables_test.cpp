#include <gtest/gtest.h>

#include "macro/key_tables.h"
#include "settings/language.h"

namespace tarvosk {
namespace {

constexpr int32_t kBoth[] = {kLanguageEnglish, kLanguageSecond};

TEST(KeyTables, TranslateTheDocumentedCodesBothWays) {
  const struct {
    uint8_t hid;
    uint8_t virtualKey;
    uint8_t readBack;
  } cases[] = {
      {0x29, 27, 0x29},   // Escape
      {0xF1, 240, 0xF1},  // left button
      {0xF3, 241, 0xF3},  // right button
      {0xF2, 242, 0xF2},  // middle button stays
      {0x77, 41, 0x77},   // SELECT
      {0x76, 118, 0x40},  // MENU is not translated on writing; 118 is F7
      {0x04, 65, 0x04},   {0x1D, 90, 0x1D},   {0x1E, 49, 0x1E},   {0x27, 48, 0x27},   {0x3A, 112, 0x3A},
      {0x45, 123, 0x45},  {0x59, 97, 0x59},   {0x62, 96, 0x62},   {0x68, 124, 0x68},  {0x73, 135, 0x73},
      {0xE3, 91, 0xE3},   {0xE7, 92, 0xE7},   {0x34, 222, 0x34},  {0x00, 0, 0x00},    {0xF6, 0xF6, 0xF6},
      {0xF7, 0xF7, 0xF7}, {0xF8, 0xF8, 0xF8}, {0xF9, 0xF9, 0xF9}, {0xFA, 0xFA, 0xFA}, {0xFB, 0xFB, 0xFB},
  };
  for (int32_t language : kBoth) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "language " << language << " hid 0x" << std::hex << int(c.hid));
      EXPECT_EQ(hidToVirtualKey(c.hid, language), c.virtualKey);
      EXPECT_EQ(virtualKeyToHid(c.virtualKey, language), c.readBack);
    }
  }
}

TEST(KeyTables, EverySingleKeyPairHoldsInBothDirectionsAndLanguages) {
  // HID usage, virtual key: every key the tables pair outside the letter, digit, function-key
  // and numeric-pad ranges and the language-dependent rows.
  const struct {
    uint8_t hid;
    uint8_t virtualKey;
  } pairs[] = {
      {0x27, 48},  {0x28, 13},  {0x29, 27},  {0x2A, 8},   {0x2B, 9},   {0x2C, 32},  {0x36, 188}, {0x37, 190},
      {0x34, 222}, {0x39, 20},  {0x46, 44},  {0x47, 145}, {0x48, 19},  {0x49, 45},  {0x4A, 36},  {0x4B, 33},
      {0x4C, 46},  {0x4D, 35},  {0x4E, 34},  {0x4F, 39},  {0x50, 37},  {0x51, 40},  {0x52, 38},  {0x53, 144},
      {0x54, 111}, {0x55, 106}, {0x56, 109}, {0x57, 107}, {0x62, 96},  {0x63, 110}, {0x65, 93},  {0x74, 43},
      {0x75, 47},  {0x77, 41},  {0x9C, 12},  {0x9F, 108}, {0xE0, 162}, {0xE1, 160}, {0xE2, 164}, {0xE3, 91},
      {0xE4, 163}, {0xE5, 161}, {0xE6, 165}, {0xE7, 92},  {0xF1, 240}, {0xF3, 241},
  };
  for (int32_t language : kBoth) {
    for (const auto& p : pairs) {
      SCOPED_TRACE(testing::Message() << "language " << language << " hid 0x" << std::hex << int(p.hid));
      EXPECT_EQ(hidToVirtualKey(p.hid, language), p.virtualKey);
      EXPECT_EQ(virtualKeyToHid(p.virtualKey, language), p.hid);
    }
    // The ranges, end to end.
    for (int u = 0x04; u <= 0x1D; ++u) EXPECT_EQ(hidToVirtualKey(u, language), u + 61);
    for (int u = 0x1E; u <= 0x26; ++u) EXPECT_EQ(hidToVirtualKey(u, language), u + 19);
    for (int u = 0x3A; u <= 0x45; ++u) EXPECT_EQ(hidToVirtualKey(u, language), u + 54);
    for (int u = 0x59; u <= 0x61; ++u) EXPECT_EQ(hidToVirtualKey(u, language), u + 8);
    for (int u = 0x68; u <= 0x73; ++u) EXPECT_EQ(hidToVirtualKey(u, language), u + 20);
    for (int k = 65; k <= 90; ++k) EXPECT_EQ(virtualKeyToHid(k, language), k - 61);
    for (int k = 49; k <= 57; ++k) EXPECT_EQ(virtualKeyToHid(k, language), k - 19);
    for (int k = 112; k <= 123; ++k) EXPECT_EQ(virtualKeyToHid(k, language), k - 54);
    for (int k = 124; k <= 135; ++k) EXPECT_EQ(virtualKeyToHid(k, language), k - 20);
    for (int k = 97; k <= 105; ++k) EXPECT_EQ(virtualKeyToHid(k, language), k - 8);
    // Unlisted codes pass through unchanged.
    for (int c : {0, 1, 3, 0x32, 0x58, 0x66, 0x76, 0x80, 0xF2, 0xF6, 0xFB, 0xFF}) {
      EXPECT_EQ(hidToVirtualKey(c, language), c) << c;
    }
    for (int k : {0, 1, 7, 242, 243, 246, 255}) EXPECT_EQ(virtualKeyToHid(k, language), k) << k;
  }
}

TEST(KeyTables, PunctuationRowsFollowTheLanguage) {
  const struct {
    uint8_t hid;
    const char* englishName;
    uint8_t englishKey;
    const char* secondName;
    uint8_t secondKey;
  } rows[] = {
      {0x2D, "-", 189, "'", 219},   {0x2E, "+", 187, "«", 221},  {0x2F, "[{", 219, "+", 187},
      {0x30, "]}", 221, "´´", 186}, {0x31, "|", 220, "~~", 191}, {0x33, ";:", 186, "ç", 192},
      {0x34, " ' ", 222, "º", 222}, {0x35, "`~", 192, "|", 220}, {0x38, "/?", 191, "-", 189},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "hid 0x" << std::hex << int(r.hid));
    EXPECT_EQ(keyName(r.hid, kLanguageEnglish), r.englishName);
    EXPECT_EQ(keyName(r.hid, kLanguageSecond), r.secondName);
    EXPECT_EQ(hidToVirtualKey(r.hid, kLanguageEnglish), r.englishKey);
    EXPECT_EQ(hidToVirtualKey(r.hid, kLanguageSecond), r.secondKey);
    EXPECT_EQ(virtualKeyToHid(r.englishKey, kLanguageEnglish), r.hid);
    EXPECT_EQ(virtualKeyToHid(r.secondKey, kLanguageSecond), r.hid);
  }
  // Written under English, read under the second language: the key changes with the layout.
  EXPECT_EQ(virtualKeyToHid(hidToVirtualKey(0x33, kLanguageEnglish), kLanguageSecond), 0x30);
  EXPECT_EQ(keyName(0x30, kLanguageSecond), "´´");
}

TEST(KeyTables, ExtraKeyOf102KeyboardsOnlyExistsInTheSecondLanguage) {
  EXPECT_EQ(hidToVirtualKey(0x64, kLanguageSecond), 226);
  EXPECT_EQ(virtualKeyToHid(226, kLanguageSecond), 0x64);
  EXPECT_EQ(keyName(0x64, kLanguageSecond), "Unkown");
  EXPECT_EQ(hidToVirtualKey(0x64, kLanguageEnglish), 100);
  EXPECT_EQ(virtualKeyToHid(100, kLanguageEnglish), 0x5C);
  EXPECT_EQ(virtualKeyToHid(226, kLanguageEnglish), 226);
}

TEST(KeyTables, WriterAndReaderAreInverseOnEveryNamedKeyButMenu) {
  for (int32_t language : kBoth) {
    for (int code = 0; code < 256; ++code) {
      const auto hid = static_cast<uint8_t>(code);
      if (!hasKeyName(hid, language) || hid == 0x76) continue;
      EXPECT_EQ(virtualKeyToHid(hidToVirtualKey(hid, language), language), hid)
          << "language " << language << " hid " << code << " (" << keyName(hid, language) << ")";
    }
  }
}

TEST(KeyTables, SideNeutralModifiersReadAsTheLeftHandKeys) {
  for (int32_t language : kBoth) {
    EXPECT_EQ(virtualKeyToHid(16, language), 0xE1);
    EXPECT_EQ(virtualKeyToHid(17, language), 0xE0);
    EXPECT_EQ(virtualKeyToHid(18, language), 0xE2);
  }
}

TEST(KeyTables, NamesTheRangesAndFallsBackForUnknownCodes) {
  const struct {
    uint8_t hid;
    const char* name;
  } cases[] = {
      {0x04, "A"},         {0x1D, "Z"},        {0x1E, "1"},        {0x26, "9"},       {0x27, "0"},
      {0x28, "RETURN"},    {0x2C, "SPACE"},    {0x36, ","},        {0x37, "."},       {0x39, "CAPITAL"},
      {0x3A, "F1"},        {0x45, "F12"},      {0x46, "SNAPSHOT"}, {0x4E, "NEXT"},    {0x52, "UP"},
      {0x57, "ADD"},       {0x59, "NUMPAD1"},  {0x61, "NUMPAD9"},  {0x62, "NUMPAD0"}, {0x63, "DECIMAL"},
      {0x65, "APPS"},      {0x68, "F13"},      {0x73, "F24"},      {0x76, "MENU"},    {0x9C, "CLEAR"},
      {0x9F, "SEPARATOR"}, {0xE0, "LCONTROL"}, {0xE7, "RWIN"},     {0xF1, "L-KEY"},   {0xF2, "M-KEY"},
      {0xF3, "R-KEY"},     {0x00, "Unkown"},   {0x32, "Unkown"},   {0x58, "Unkown"},  {0xF6, "Unkown"},
      {0xFF, "Unkown"},
  };
  for (int32_t language : kBoth) {
    for (const auto& c : cases) EXPECT_EQ(keyName(c.hid, language), c.name) << "hid " << int(c.hid);
  }
}

}  // namespace
}  // namespace tarvosk
