#include <gtest/gtest.h>

#include "macro/key_tables.h"
#include "macro/macro_file.h"
#include "platform/profile_file.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::RecordingPrompter;
using test::ScratchDir;

constexpr int32_t kBoth[] = {kLanguageEnglish, kLanguageSecond};

std::string field(const std::string& s, int f) { return s.substr(3 * static_cast<std::size_t>(f), 3); }

void addEvent(MacroRecord& m, uint8_t type, uint8_t code, uint16_t a, uint16_t b, uint16_t delay) {
  const auto i = m.eventCount++;
  m.eventType[i] = type;
  m.eventCode[i] = code;
  m.eventParamA[i] = a;
  m.eventParamB[i] = b;
  m.eventDelay[i] = delay;
}

TEST(Pad3, WritesExactlyThreeDigits) {
  EXPECT_EQ(pad3(0), "000");
  EXPECT_EQ(pad3(7), "007");
  EXPECT_EQ(pad3(10), "010");
  EXPECT_EQ(pad3(99), "099");
  EXPECT_EQ(pad3(100), "100");
  EXPECT_EQ(pad3(255), "255");
}

TEST(FieldString, LaysOutEveryFieldInOrder) {
  MacroRecord m;
  setMacroName(m, "Ab");
  m.playMode = 1;
  m.repeatCount = 300;
  addEvent(m, type::kPress, 0x29, 0, 0, 1000);
  addEvent(m, type::kPress, code::kLeftButton, 0, 0, 0);
  m.ledCount = 1;
  m.ledPrograms[4].bytes[67] = 9;
  const std::string s = encodeFieldString(m, kLanguageEnglish);
  ASSERT_EQ(s.size(), kFieldStringLength);
  EXPECT_EQ(s.substr(0, 12), "065000098000");
  for (int f = 4; f < 20; ++f) EXPECT_EQ(field(s, f), "000");
  EXPECT_EQ(field(s, kFieldPlayMode), "001");
  EXPECT_EQ(field(s, kFieldRepeatCount), "044");
  EXPECT_EQ(field(s, kFieldRepeatCount + 1), "001");
  EXPECT_EQ(field(s, kFieldEventCount), "002");
  EXPECT_EQ(field(s, kFieldLedCount), "001");
  EXPECT_EQ(field(s, kFieldEvents), "001");
  EXPECT_EQ(field(s, kFieldEvents + 1), "027");  // Escape as its virtual-key code
  EXPECT_EQ(field(s, kFieldEvents + 6), "232");  // 1000 = 3 * 256 + 232
  EXPECT_EQ(field(s, kFieldEvents + 7), "003");
  EXPECT_EQ(field(s, kFieldEvents + 9), "240");  // left button
  EXPECT_EQ(field(s, kFieldCount - 1), "009");   // last byte of the last LED program
}

TEST(FieldString, RoundTripsARecordInBothLanguages) {
  MacroRecord m;
  setMacroName(m, "ção Lâ");
  m.playMode = 2;
  m.repeatCount = 65535;
  addEvent(m, type::kPress, 0x04, 0, 0, 120);
  addEvent(m, type::kRelease, 0x04, 0, 0, 5);
  addEvent(m, type::kMoveLeftDown, code::kMove, 5, 3, 10);
  addEvent(m, type::kDpiSet, code::kDpi, 4, 0, 10);
  addEvent(m, type::kLed1, code::kLed, 2, 0, 10);
  addEvent(m, type::kPress, code::kRightButton, 0, 0, 0);
  m.moveCount = 1;
  m.dpiCount = 1;
  m.ledCount = 1;
  m.ledPrograms[2] = freshLedProgram();
  m.ledPrograms[2].bytes[LedProgram::colorByte(0)] = 5;
  for (int32_t language : kBoth) {
    MacroRecord back;
    MacroIssues issues;
    decodeFieldString(encodeFieldString(m, language), language, back, &issues);
    EXPECT_EQ(back, m);
    EXPECT_TRUE(issues.empty()) << issues.front();
  }
}

TEST(FieldString, ANineCharacterNameKeepsItsTerminatingNul) {
  MacroRecord m;
  setMacroName(m, "ABCDEFGHIJK");
  EXPECT_EQ(macroNameText(m), "ABCDEFGHI");
  MacroRecord back;
  decodeFieldString(encodeFieldString(m, kLanguageEnglish), kLanguageEnglish, back);
  EXPECT_EQ(macroNameText(back), "ABCDEFGHI");
  EXPECT_EQ(back.name[9], u'\0');
}

TEST(FieldString, AShortValueReadsItsMissingFieldsAsZero) {
  MacroRecord m;
  m.eventCount = 7;
  m.eventDelay.fill(99);
  m.ledPrograms[0].bytes.fill(1);
  MacroIssues issues;
  decodeFieldString(
      "065000"
      "001",
      kLanguageEnglish, m, &issues);
  // Field 2 is the low byte of unit 1; everything after it reads as zero.
  MacroRecord expected;
  expected.name[0] = u'A';
  expected.name[1] = 1;
  EXPECT_EQ(m, expected);
  ASSERT_FALSE(issues.empty());
  EXPECT_NE(issues.front().find("missing fields read as 0"), std::string::npos);
}

TEST(FieldString, FieldsSitAtCharacterPositionsWhateverTheTextHolds) {
  MacroRecord m;
  setMacroName(m, "Ab");
  m.repeatCount = 300;
  addEvent(m, type::kPress, 0x29, 0, 0, 1000);
  m.ledPrograms[4].bytes[67] = 9;
  const std::string good = encodeFieldString(m, kLanguageEnglish);
  // Each replacement is three characters but more than three bytes; it spoils only its own field.
  const struct {
    int field;
    const char* text;
    uint8_t value;
  } cases[] = {
      {kFieldName, "0é5", 0},
      {kFieldName + 2, "9中中", 9},
      {kFieldEvents + 6, "1😀", 1},
      {kFieldCount - 1, "€€€", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string s = good;
    s.replace(3 * static_cast<std::size_t>(c.field), 3, c.text);
    MacroRecord expected = m;
    std::string spoiled = encodeFieldString(m, kLanguageEnglish);
    spoiled.replace(3 * static_cast<std::size_t>(c.field), 3, pad3(c.value));
    decodeFieldString(spoiled, kLanguageEnglish, expected);
    MacroRecord back;
    MacroIssues issues;
    decodeFieldString(s, kLanguageEnglish, back, &issues);
    EXPECT_EQ(back, expected);
    ASSERT_EQ(issues.size(), 1u);  // only the field that is not three digits
    EXPECT_NE(issues.front().find("field " + std::to_string(c.field)), std::string::npos) << issues.front();
  }
}

TEST(FieldString, ClipsCountsThatIndexArraysAndKeepsTheLowByteOfWideFields) {
  std::string s(kFieldStringLength, '0');
  auto put = [&](int f, const char* text) { s.replace(3 * static_cast<std::size_t>(f), 3, text); };
  put(kFieldEventCount, "045");
  put(kFieldEventCount + 1, "001");  // 301 + 0: exactly the limit
  put(kFieldLedCount, "200");
  put(kFieldReservedFBCount, "006");
  put(kFieldMoveCount, "999");   // 999 & 0xFF = 231
  put(kFieldEvents + 2, "1x3");  // lenient: 1
  MacroRecord m;
  MacroIssues issues;
  decodeFieldString(s, kLanguageEnglish, m, &issues);
  EXPECT_EQ(m.eventCount, 301);
  EXPECT_EQ(m.ledCount, 5);
  EXPECT_EQ(m.reservedFBCount, 5);
  EXPECT_EQ(m.moveCount, 231);
  EXPECT_EQ(m.eventParamA[0], 1);
  EXPECT_EQ(issues.size(), 3u);  // bad fields, ledCount, reservedFBCount

  put(kFieldEventCount, "046");  // 302
  decodeFieldString(s, kLanguageEnglish, m);
  EXPECT_EQ(m.eventCount, 301);
}

TEST(MacroFile, WritesAndReadsAGroupFile) {
  ScratchDir dir;
  const auto file = dir / "Group.dat";
  MacroStore store;
  store.count = 2;
  setMacroName(store.slots[0], "First");
  addEvent(store.slots[0], type::kPress, 0x29, 0, 0, 50);
  setMacroName(store.slots[1], "Second");
  store.slots[1].repeatCount = 300;
  ASSERT_TRUE(writeAllMacros(file, store, kLanguageEnglish));
  EXPECT_EQ(ProfileFile(file).readString("Macros", "1", "", 30000).substr(3 * kFieldRepeatCount, 6), "044001");

  for (int32_t language : kBoth) {
    MacroStore back;
    RecordingPrompter prompter;
    ASSERT_TRUE(readGroupFile(file, language, back, prompter));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(back.count, 2);
    EXPECT_EQ(back.slots[0], store.slots[0]);
    EXPECT_EQ(back.slots[1], store.slots[1]);
    EXPECT_EQ(readMacroFromFile(file, 1, language), store.slots[1]);
  }
}

TEST(MacroFile, KeysAboveTheCountAreIgnored) {
  ScratchDir dir;
  const auto file = dir / "Group.dat";
  MacroStore store;
  store.count = 3;
  for (int i = 0; i < 3; ++i) setMacroName(store.slots[i], std::string(1, static_cast<char>('A' + i)));
  ASSERT_TRUE(writeAllMacros(file, store, kLanguageEnglish));
  store.count = 1;
  setMacroName(store.slots[0], "Z");
  ASSERT_TRUE(writeOneMacro(file, store, 0, kLanguageEnglish));
  EXPECT_FALSE(ProfileFile(file).readString("Macros", "2", "", 30000).empty());  // left in place

  MacroStore back;
  back.slots[1].repeatCount = 77;  // slots above the count stay untouched
  RecordingPrompter prompter;
  ASSERT_TRUE(readGroupFile(file, kLanguageEnglish, back, prompter));
  EXPECT_EQ(back.count, 1);
  EXPECT_EQ(macroNameText(back.slots[0]), "Z");
  EXPECT_EQ(back.slots[1].repeatCount, 77);
  EXPECT_EQ(readMacroFromFile(file, 1, kLanguageEnglish), MacroRecord{});
  EXPECT_EQ(readMacroFromFile(file, 2, kLanguageEnglish), MacroRecord{});
}

TEST(MacroFile, MissingOrEmptyFilesGiveAnEmptyStore) {
  ScratchDir dir;
  test::writeFile(dir / "zero.dat", "[Macros]\nmacroNum=0\n0=065000\n");
  test::writeFile(dir / "nosection.dat", "[Other]\nmacroNum=3\n");
  for (const char* name : {"zero.dat", "nosection.dat"}) {
    MacroStore store;
    store.count = 4;
    RecordingPrompter prompter;
    EXPECT_TRUE(readGroupFile(dir / name, kLanguageEnglish, store, prompter));
    EXPECT_EQ(store.count, 0);
    EXPECT_TRUE(prompter.messages.empty());
  }
  MacroStore store;
  store.count = 4;
  RecordingPrompter prompter;
  EXPECT_FALSE(readGroupFile(dir / "missing.dat", kLanguageEnglish, store, prompter));
  EXPECT_EQ(store.count, 0);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kMissingMacroFileMessage)});
  EXPECT_EQ(readMacroFromFile(dir / "missing.dat", 0, kLanguageEnglish), MacroRecord{});
}

TEST(MacroFile, ACountAboveTwentyNeverLoadsPastSlotNineteen) {
  ScratchDir dir;
  std::string text = "[Macros]\nmacroNum=99\n";
  MacroRecord m;
  setMacroName(m, "X");
  for (int i = 0; i < 25; ++i) text += std::to_string(i) + "=" + encodeFieldString(m, kLanguageEnglish) + "\n";
  test::writeFile(dir / "big.dat", text);
  MacroStore store;
  RecordingPrompter prompter;
  MacroIssues issues;
  ASSERT_TRUE(readGroupFile(dir / "big.dat", kLanguageEnglish, store, prompter, &issues));
  EXPECT_EQ(store.count, 20);
  EXPECT_EQ(macroNameText(store.slots[19]), "X");
  EXPECT_EQ(store.slots[kBlankSlot], MacroRecord{});
  ASSERT_EQ(issues.size(), 1u);
  EXPECT_EQ(readMacroFromFile(dir / "big.dat", 20, kLanguageEnglish), MacroRecord{});
}

TEST(MacroFile, BuiltInValuesPastCharacter3215ReadAsZero) {
  ScratchDir dir;
  MacroRecord m;
  setMacroName(m, "Burst");
  m.eventCount = 301;
  m.eventType.fill(type::kPress);
  m.eventCode.fill(0x04);
  m.ledPrograms[0] = freshLedProgram();
  MacroStore store;
  store.count = 1;
  store.slots[0] = m;
  ASSERT_TRUE(writeAllMacros(dir / "constMacro.dat", store, kLanguageEnglish));
  BuiltInMacroTable table;
  RecordingPrompter prompter;
  MacroIssues issues;
  ASSERT_TRUE(readBuiltInMacros(dir / "constMacro.dat", kLanguageEnglish, table, prompter, &issues));
  const MacroRecord& back = table.slots[0];
  // The 3215 characters end inside event 129 (its type and code survive); events 130 and later read as zero.
  EXPECT_EQ(back.eventCode[128], 0x04);
  EXPECT_EQ(back.eventType[129], type::kPress);
  EXPECT_EQ(back.eventType[130], 0);
  EXPECT_EQ(back.eventCode[130], 0);
  EXPECT_EQ(back.ledPrograms[0], LedProgram{});
  EXPECT_EQ(back.eventCount, 301);
  EXPECT_FALSE(issues.empty());
}

TEST(MacroStore, BlankingASlotZeroesEveryField) {
  MacroStore store;
  setMacroName(store.slots[3], "X");
  store.slots[3].reservedFBBlocks[1].bytes[0] = 4;
  EXPECT_TRUE(blankSlot(store, 3));
  EXPECT_EQ(store.slots[3], MacroRecord{});
  EXPECT_FALSE(blankSlot(store, 21));
  EXPECT_FALSE(blankSlot(store, -1));
}

}  // namespace
}  // namespace tarvosk
