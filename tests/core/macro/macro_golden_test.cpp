#include <gtest/gtest.h>

#include <cstdlib>

#include "macro/macro_check.h"
#include "macro/macro_file.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;

// TARVOSK_UPDATE_GOLDEN=1 rewrites the golden files from the writer instead of comparing.
bool updatingGolden() {
  const char* v = std::getenv("TARVOSK_UPDATE_GOLDEN");
  return v && std::string(v) == "1";
}

fs::path goldenFile() { return test::testDataDir() / "macro" / "every_kind.dat"; }

void add(MacroRecord& m, uint8_t t, uint8_t c, uint16_t delay, uint16_t a = 0, uint16_t b = 0) {
  const auto i = m.eventCount++;
  m.eventType[i] = t;
  m.eventCode[i] = c;
  m.eventParamA[i] = a;
  m.eventParamB[i] = b;
  m.eventDelay[i] = delay;
}

// Two macros between them holding every event kind, every move direction, both DPI types, the
// three LED types with their programs, the reserved kinds, a 9-character and a non-ASCII name.
MacroStore everyKind() {
  MacroStore store;
  store.count = 2;
  MacroRecord& m = store.slots[0];
  setMacroName(m, "All kinds");
  m.playMode = play::kOnceOwnCode;
  m.repeatCount = 1;
  add(m, type::kPress, 0xE1, 20);
  add(m, type::kPress, 0x33, 20);  // a punctuation key: its name and code depend on the language
  add(m, type::kRelease, 0x33, 20);
  add(m, type::kRelease, 0xE1, 300);
  add(m, type::kPause, code::kPause, 1000);
  add(m, type::kPress, code::kLeftButton, 30);
  add(m, type::kRelease, code::kLeftButton, 50);
  add(m, type::kPress, code::kMiddleButton, 30);
  add(m, type::kRelease, code::kMiddleButton, 50);
  add(m, type::kPress, code::kRightButton, 30);
  add(m, type::kRelease, code::kRightButton, 50);
  add(m, type::kMoveLeftUp, code::kMove, 10, 5, 3);
  add(m, type::kMoveLeftDown, code::kMove, 10, 10, 0);
  add(m, type::kMoveRightUp, code::kMove, 10, 0, 100);
  add(m, type::kMoveRightDown, code::kMove, 10, 50, 50);
  add(m, type::kDpiSet, code::kDpi, 500, 4);
  add(m, type::kDpiReset, code::kDpi, 10);
  add(m, type::kLed0, code::kLed, 100, 0);
  add(m, type::kLed1, code::kLed, 100, 1);
  add(m, type::kLed2, code::kLed, 100, 2);
  add(m, type::kPress, code::kReservedF7, 10);
  add(m, type::kRelease, code::kReservedFA, 10);
  add(m, type::kPress, code::kReservedFB, 10, 0);
  add(m, type::kPause, code::kPause, 65535);
  m.moveCount = 4;
  m.dpiCount = 2;
  m.ledCount = 3;
  m.reservedF7Count = 1;
  m.reservedFACount = 1;
  m.reservedFBCount = 1;
  m.ledPrograms[0] = freshLedProgram();
  LedProgram& two = m.ledPrograms[1];
  two.bytes = {2, 0, 0, 0, 1, 5, 10, 5, 2, 7, 3, 3};
  LedProgram& full = m.ledPrograms[2];
  full.bytes[0] = 16;
  for (int k = 0; k < 16; ++k) {
    full.bytes[LedProgram::modeByte(k)] = static_cast<uint8_t>(k % 6);
    full.bytes[LedProgram::colorByte(k)] = static_cast<uint8_t>(k % 8);
    full.bytes[LedProgram::onTimeByte(k)] = static_cast<uint8_t>(k * 6);
    full.bytes[LedProgram::gapTimeByte(k)] = static_cast<uint8_t>(100 - k);
  }

  MacroRecord& r = store.slots[1];
  setMacroName(r, "Repetição");
  r.playMode = play::kRepeat;
  r.repeatCount = 300;
  add(r, type::kPress, 0x2D, 15);
  add(r, type::kRelease, 0x2D, 0);
  return store;
}

TEST(MacroGolden, OurWriterProducesTheGoldenFileAndReadsItBackUnchanged) {
  const MacroStore store = everyKind();
  EXPECT_TRUE(checkMacro(store.slots[0], kLanguageEnglish).empty());
  test::ScratchDir dir;
  ASSERT_TRUE(writeAllMacros(dir / "every_kind.dat", store, kLanguageEnglish));
  const std::string written = test::readFile(dir / "every_kind.dat");
  if (updatingGolden()) test::writeFile(goldenFile(), written);
  // Compared as a whole: a difference shows in the read-back checks below, field by field.
  ASSERT_TRUE(written == test::readFile(goldenFile())) << "TARVOSK_UPDATE_GOLDEN=1 rewrites " << goldenFile();

  MacroStore back;
  test::RecordingPrompter prompter;
  MacroIssues issues;
  ASSERT_TRUE(readGroupFile(goldenFile(), kLanguageEnglish, back, prompter, &issues));
  EXPECT_TRUE(issues.empty());
  EXPECT_EQ(back.count, 2);
  EXPECT_EQ(back.slots[0], store.slots[0]);
  EXPECT_EQ(back.slots[1], store.slots[1]);
  ASSERT_TRUE(writeAllMacros(dir / "again.dat", back, kLanguageEnglish));
  EXPECT_TRUE(test::readFile(dir / "again.dat") == written);
}

TEST(MacroGolden, ReadUnderTheOtherLanguageOnlyPunctuationMoves) {
  MacroStore back;
  test::RecordingPrompter prompter;
  ASSERT_TRUE(readGroupFile(goldenFile(), kLanguageSecond, back, prompter));
  MacroStore expected = everyKind();
  // Written under English: 0x33 is stored as 186, which the second language reads as 0x30;
  // 0x2D is stored as 189, read as 0x38.
  expected.slots[0].eventCode[1] = expected.slots[0].eventCode[2] = 0x30;
  expected.slots[1].eventCode[0] = expected.slots[1].eventCode[1] = 0x38;
  EXPECT_EQ(back.slots[0], expected.slots[0]);
  EXPECT_EQ(back.slots[1], expected.slots[1]);
}

}  // namespace
}  // namespace tarvosk
