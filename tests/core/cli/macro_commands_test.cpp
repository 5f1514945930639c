#include <gtest/gtest.h>

#include "cli_runner.h"
#include "macro/macro_file.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;
using test::runCli;

class MacroCommandsTest : public ::testing::Test {
 protected:
  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  std::string skins = paths.skinsFolder.string();
  fs::path golden = test::testDataDir() / "macro" / "every_kind.dat";
};

TEST_F(MacroCommandsTest, GroupsListsTheLibraryOfTheLanguage) {
  auto r = runCli({"--skins", skins, "macro", "groups", "--language", "english"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0\tOffice\t8\n1\tGaming\t4\n");
  r = runCli({"--skins", skins, "macro", "groups", "--language=second"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0\tEscritório\t8\n1\tJogos\t4\n");
  r = runCli({"--skins", skins, "macro", "groups", "--language", "klingon"});
  EXPECT_EQ(r.exitCode, 2);
}

TEST_F(MacroCommandsTest, GroupsFollowsTheConfiguredLanguage) {
  test::writeFile(paths.configFile, "[Init]\nVER_SEL=0\n");
  auto r = runCli({"--skins", skins, "macro", "groups"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 13), "0\tEscritório");
  fs::remove_all(paths.macroFolder(kLanguageEnglish));
  r = runCli({"--skins", skins, "macro", "groups", "--language", "english"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Can't find the file."), std::string::npos);
}

TEST_F(MacroCommandsTest, ShowPrintsTheListsAsTheMacroPageShowsThem) {
  for (const auto& [language, expected] :
       {std::pair{"english", "every_kind.show.txt"}, std::pair{"second", "every_kind.show.second.txt"}}) {
    const auto r = runCli({"--skins", skins, "macro", "show", golden.string(), "--language", language});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, test::readFile(test::testDataDir() / "macro" / expected)) << language;
  }
  const auto one = runCli({"--skins", skins, "macro", "show", golden.string(), "1", "--language", "english"});
  ASSERT_EQ(one.exitCode, 0) << one.err;
  EXPECT_EQ(one.out, "macro 1: Repetição playMode=0 repeatCount=300 events=2\n[↓]-\n    15ms\n[↑]-\n");
}

TEST_F(MacroCommandsTest, ShowFindsAGroupByNameAndRefusesBadIndexes) {
  auto r = runCli({"--skins", skins, "macro", "show", "Office", "0", "--language", "english"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "macro 0: Copy playMode=1 repeatCount=1 events=4\n[↓]LCONTROL\n    30ms\n[↓]C\n    30ms\n[↑]C\n"
            "    30ms\n[↑]LCONTROL\n");
  r = runCli({"--skins", skins, "macro", "show", "Office", "8", "--language", "english"});
  EXPECT_EQ(r.exitCode, 1);
  r = runCli({"--skins", skins, "macro", "show", (dir / "missing.dat").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(std::string(kMissingMacroFileMessage)), std::string::npos);
  r = runCli({"--skins", skins, "macro", "show"});
  EXPECT_EQ(r.exitCode, 2);
}

TEST_F(MacroCommandsTest, CheckReportsWhatTheReaderClipsOrIgnores) {
  auto r = runCli({"--skins", skins, "macro", "check", golden.string(), "--language", "english"});
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out, "no problems found\n");

  std::string bad(kFieldStringLength, '0');
  auto put = [&](int f, const char* text) { bad.replace(3 * static_cast<std::size_t>(f), 3, text); };
  put(kFieldEventCount, "200");
  put(kFieldEventCount + 1, "001");  // 456 events
  put(kFieldLedCount, "009");
  put(kFieldEvents, "001");
  put(kFieldEvents + 1, "255");  // no key has virtual key 255
  put(kFieldEvents + 8, "013");
  put(kFieldEvents + 9, "249");                                              // LED event ...
  put(kFieldEvents + 10, "009");                                             // ... naming program 9
  for (int i = 0; i < kMacroNameUnits; ++i) put(kFieldName + 2 * i, "065");  // no NUL
  test::writeFile(dir / "bad.dat", "[Macros]\nmacroNum=30\n0=" + bad + "\n");
  r = runCli({"--skins", skins, "macro", "check", (dir / "bad.dat").string(), "--language", "english"});
  EXPECT_EQ(r.exitCode, 1);
  for (const char* finding :
       {"macroNum 30 is above 20", "macro 0: eventCount 456 is above 301; clipped to 301",
        "macro 0: ledCount 9 is above 5", "macro 0: name has no terminating NUL",
        "macro 0: event 0: unknown key code 0xFF", "macro 0: event 1: LED program index 9", "macro 1: key missing"}) {
    EXPECT_NE(r.out.find(finding), std::string::npos) << finding << "\n" << r.out;
  }
}

TEST_F(MacroCommandsTest, TheBuiltInMacroFileIsReadAsTheProgramReadsIt) {
  // All 21 shipped built-in macros are usable: none is reported, the last one can be shown.
  const fs::path shipped = test::shippedSkinsDir().parent_path() / "constMacro.dat";
  auto r = runCli({"--skins", skins, "macro", "check", shipped.string(), "--language", "english"});
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out, "no problems found\n");
  r = runCli({"--skins", skins, "macro", "show", shipped.string(), "20", "--language", "english"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("macro 20: Burst x2 ", 0), 0u) << r.out;

  // Lighting data lies past what the built-in reader sees: the check says it is lost.
  std::string value(kFieldStringLength, '0');
  value.replace(3 * static_cast<std::size_t>(kFieldLedPrograms), 3, "001");
  test::writeFile(dir / "constMacro.dat", "[Macros]\nmacroNum=1\n0=" + value + "\n");
  r = runCli({"--skins", skins, "macro", "check", (dir / "constMacro.dat").string(), "--language", "english"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("macro 0: characters past 3215"), std::string::npos) << r.out;
}

TEST_F(MacroCommandsTest, CheckTellsWhichGroupsAnIndexWouldLose) {
  const fs::path index = paths.macroFolder(kLanguageEnglish) / "macroGrp.ini";
  auto r = runCli({"--skins", skins, "macro", "check", index.string()});
  EXPECT_EQ(r.exitCode, 0) << r.out;
  const std::string text =
      "[MACRO_GROUP_NUM]\nmacGrpNum=4\n[MACRO_GROUP_NAME]\n0=Office\n1=Lost\n"
      "2=ABCDEFGHIJKLMNOPQRST\n3=../Gaming\n";
  test::writeFile(index, text);
  r = runCli({"--skins", skins, "macro", "check", index.string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out,
            "group 1 \"Lost\": file \"Lost.dat\" is missing; the group is dropped\n"
            "group 2 \"ABCDEFGHIJKLMNOPQRST\": name is longer than 19 characters; read as \"ABCDEFGHIJKLMNOPQRS\"\n"
            "group 2 \"ABCDEFGHIJKLMNOPQRST\": file \"ABCDEFGHIJKLMNOPQRS.dat\" is missing; the group is dropped\n"
            "group 3 \"../Gaming\": name cannot name a file in the macro folder; the group is dropped\n");
  EXPECT_EQ(test::readFile(index), text);  // checking changes nothing
}

}  // namespace
}  // namespace tarvosk
