// Damaged files: random bytes, truncations and mutations of real macro files and group indexes
// must never crash a reader nor leave a count that indexes past an array.

#include <gtest/gtest.h>

#include <random>

#include "macro/event_text.h"
#include "macro/macro_check.h"
#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;

class Mutator {
 public:
  explicit Mutator(unsigned seed) : m_rng(seed) {}

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

  std::string randomBytes(std::size_t max) {
    std::string s(static_cast<std::size_t>(below(static_cast<int>(max) + 1)), '\0');
    for (char& c : s) c = static_cast<char>(below(256));
    return s;
  }

  // One of: cut anywhere, flip bytes, splice in INI syntax or digits, replace a number.
  std::string mutate(std::string s) {
    static const char* kPieces[] = {"\n", "=",        "[",  "]",        "\r\n", "macroNum=", "macGrpNum=", "999",
                                    "-1", "\xFF\xFE", "0=", "[Macros]", ";",    "\"",        "255255255",  "\xE2\x86"};
    const int rounds = 1 + below(4);
    for (int r = 0; r < rounds && !s.empty(); ++r) {
      const auto pos = static_cast<std::size_t>(below(static_cast<int>(s.size())));
      switch (below(5)) {
        case 0: s.resize(pos); break;
        case 1:
          for (int i = 0; i < 1 + below(40); ++i) {
            s[static_cast<std::size_t>(below(static_cast<int>(s.size())))] = static_cast<char>(below(256));
          }
          break;
        case 2: s.insert(pos, kPieces[below(static_cast<int>(std::size(kPieces)))]); break;
        case 3: s.insert(pos, std::to_string(below(100000))); break;
        default: s.erase(pos, static_cast<std::size_t>(below(200))); break;
      }
    }
    return s;
  }

 private:
  std::mt19937 m_rng;
};

void expectSane(const MacroRecord& m) {
  ASSERT_LE(m.eventCount, kMacroEvents);
  ASSERT_LE(m.ledCount, kMaxLedEvents);
  ASSERT_LE(m.reservedFBCount, kMaxReservedFBEvents);
  for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
    EXPECT_EQ(eventListLines(m, language).size(), m.eventCount == 0 ? 0u : 2u * m.eventCount - 1);
    for (const LedProgram& p : m.ledPrograms) EXPECT_LE(ledProgramLines(p, language).size(), 65u);
    for (int i = 0; i < m.eventCount; ++i) {
      if (const auto p = ledProgramIndex(m, i)) {
        EXPECT_LT(*p, kLedProgramCount);
      }
    }
    checkMacro(m, language);
  }
}

TEST(MacroFuzz, DamagedMacroFilesNeverBreakTheReaders) {
  const std::vector<std::string> seeds = {
      test::readFile(test::testDataDir() / "macro" / "every_kind.dat"),
      test::readFile(test::shippedSkinsDir() / "INI_EN" / "macro" / "Office.dat"),
      test::readFile(test::shippedSkinsDir().parent_path() / "constMacro.dat"),
  };
  test::ScratchDir dir;
  const fs::path file = dir / "fuzz.dat";
  Mutator mutate(20261211);
  for (int round = 0; round < 240; ++round) {
    const std::string bytes = round % 8 == 0 ? mutate.randomBytes(4000) : mutate.mutate(seeds[round % seeds.size()]);
    test::writeFile(file, bytes);
    SCOPED_TRACE(testing::Message() << "round " << round);
    const int32_t language = round % 2 ? kLanguageEnglish : kLanguageSecond;
    test::RecordingPrompter prompter;

    MacroStore store;
    MacroIssues issues;
    ASSERT_TRUE(readGroupFile(file, language, store, prompter, &issues));
    ASSERT_GE(store.count, 0);
    ASSERT_LE(store.count, kMacrosPerGroup);
    EXPECT_EQ(store.slots[kBlankSlot], MacroRecord{});
    for (int i = 0; i < store.count; ++i) expectSane(store.slots[static_cast<std::size_t>(i)]);

    BuiltInMacroTable table;
    ASSERT_TRUE(readBuiltInMacros(file, language, table, prompter));
    ASSERT_LE(table.count, kMacroSlots);
    for (int i = 0; i < table.count; ++i) expectSane(table.slots[static_cast<std::size_t>(i)]);

    expectSane(readMacroFromFile(file, mutate.below(25) - 2, language));
    ASSERT_TRUE(checkMacroFile(file, language).has_value());

    // What was read writes back as a file that reads the same.
    ASSERT_TRUE(writeAllMacros(dir / "back.dat", store, language));
    MacroStore again;
    ASSERT_TRUE(readGroupFile(dir / "back.dat", language, again, prompter));
    ASSERT_EQ(again.count, store.count);
    for (int i = 0; i < store.count; ++i) {
      MacroRecord expected = store.slots[static_cast<std::size_t>(i)];
      expected.reservedFBBlocks = {};
      EXPECT_EQ(again.slots[static_cast<std::size_t>(i)], expected) << "macro " << i;
    }
    EXPECT_TRUE(prompter.messages.empty());
  }
}

TEST(MacroFuzz, DamagedGroupIndexesNeverBreakTheLibrary) {
  const std::string seed = test::readFile(test::shippedSkinsDir() / "INI_EN" / "macro" / "macroGrp.ini") +
                           "[MACRO_GROUP_NAME]\n2=../x\n3=\n";
  Mutator mutate(77);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    test::ScratchDir dir;
    ASSERT_TRUE(copyFolder(test::shippedSkinsDir() / "INI_EN" / "macro", dir.path()));
    test::writeFile(dir / "Gaming.dat", mutate.mutate(test::readFile(dir / "Gaming.dat")));
    test::writeFile(groupIndexFile(dir.path()), round % 10 == 0 ? mutate.randomBytes(600) : mutate.mutate(seed));

    MacroLibrary lib;
    test::RecordingPrompter prompter;
    readGroupIndex(dir.path(), lib, prompter);
    ASSERT_GE(lib.groupCount, 0);
    ASSERT_LE(lib.groupCount, kMaxGroups);
    for (int g = 0; g < lib.groupCount; ++g) EXPECT_TRUE(groupFileExists(dir.path(), lib, g)) << g;
    ASSERT_TRUE(lib.currentGroup == 0 || lib.currentGroup < lib.groupCount);

    collectMacroNames(dir.path(), lib, kLanguageEnglish);
    for (int g = 0; g < kMaxGroups; ++g) {
      ASSERT_GE(lib.macroCounts[static_cast<std::size_t>(g)], 0);
      ASSERT_LE(lib.macroCounts[static_cast<std::size_t>(g)], kMacrosPerGroup);
    }
    MacroStore store;
    if (lib.groupCount > 0) loadGroup(dir.path(), lib, mutate.below(lib.groupCount), kLanguageEnglish, store, prompter);
    ASSERT_LE(store.count, kMacrosPerGroup);
    expectSane(readOneMacro(dir.path(), mutate.below(16) - 2, mutate.below(24) - 2, kLanguageEnglish));

    // Reading again finds the list it left behind.
    MacroLibrary again;
    readGroupIndex(dir.path(), again, prompter);
    EXPECT_EQ(again.groupCount, lib.groupCount);
    EXPECT_EQ(again.groupNames, lib.groupNames);
  }
}

}  // namespace
}  // namespace tarvosk
