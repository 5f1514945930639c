#include <gtest/gtest.h>

#include "macro/factory_macros.h"
#include "macro/macro_library.h"
#include "platform/profile_file.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;
using test::RecordingPrompter;
using test::ScratchDir;

MacroStore namedStore(std::initializer_list<const char*> names) {
  MacroStore store;
  for (const char* name : names) setMacroName(store.slots[static_cast<std::size_t>(store.count++)], name);
  return store;
}

// A fresh macro folder; each test writes the index and the group files it needs.
class LibraryFolder : public testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder()); }
  void writeIndex(const std::string& text) { test::writeFile(groupIndexFile(folder()), text); }
  void writeGroup(const std::string& name, const MacroStore& store) {
    ASSERT_TRUE(writeAllMacros(groupFile(folder(), name), store, kLanguageEnglish));
  }
  std::string indexValue(const char* section, const char* key) {
    return ProfileFile(groupIndexFile(folder())).readString(section, key, "<missing>", 100);
  }
  fs::path folder() const { return dir.path() / "macro"; }

  ScratchDir dir;
  RecordingPrompter prompter;
  MacroLibrary lib;
};

TEST_F(LibraryFolder, DropsAGroupWhoseFileIsMissingAndRewritesTheIndex) {
  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=3\n[MACRO_GROUP_NAME]\n0=One\n1=Two\n2=Three\n");
  writeGroup("One", namedStore({"a"}));
  writeGroup("Three", namedStore({"b", "c"}));
  lib.currentGroup = 5;
  EXPECT_TRUE(readGroupIndex(folder(), lib, prompter));
  EXPECT_EQ(lib.groupCount, 2);
  EXPECT_EQ(lib.groupNames[0], "One");
  EXPECT_EQ(lib.groupNames[1], "Three");
  EXPECT_EQ(lib.groupNames[2], "");
  EXPECT_EQ(lib.currentGroup, 0);
  EXPECT_EQ(indexValue("MACRO_GROUP_NUM", "macGrpNum"), "2");
  EXPECT_EQ(indexValue("MACRO_GROUP_NAME", "1"), "Three");
  for (int i = 2; i < 20; ++i) EXPECT_EQ(indexValue("MACRO_GROUP_NAME", std::to_string(i).c_str()), "") << i;
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LibraryFolder, TwoMissingFilesInARowAreBothDropped) {
  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=4\n[MACRO_GROUP_NAME]\n0=One\n1=Gone\n2=AlsoGone\n3=Four\n");
  writeGroup("One", namedStore({"a"}));
  writeGroup("Four", namedStore({"b"}));
  readGroupIndex(folder(), lib, prompter);
  EXPECT_EQ(lib.groupCount, 2);
  EXPECT_EQ(lib.groupNames[1], "Four");
}

TEST_F(LibraryFolder, ATwentyCharacterGroupNameIsCutAndDropped) {
  const std::string longName = "ABCDEFGHIJKLMNOPQRST";
  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=2\n[MACRO_GROUP_NAME]\n0=" + longName + "\n1=Ok\n");
  writeGroup(longName, namedStore({"a"}));
  writeGroup("Ok", namedStore({"b"}));
  MacroIssues issues;
  readGroupIndex(folder(), lib, prompter, &issues);
  EXPECT_EQ(lib.groupCount, 1);
  EXPECT_EQ(lib.groupNames[0], "Ok");
  ASSERT_EQ(issues.size(), 1u);
  EXPECT_NE(issues[0].find("ABCDEFGHIJKLMNOPQRS\""), std::string::npos);
  // The name editor keeps to what the index can hold.
  EXPECT_TRUE(isUsableGroupName(longName.substr(0, kGroupNameMaxChars)));
  EXPECT_FALSE(isUsableGroupName(longName));
}

TEST_F(LibraryFolder, CountsOutsideTheListAreClippedAndPathsStayInTheFolder) {
  std::string text = "[MACRO_GROUP_NUM]\nmacGrpNum=99\n[MACRO_GROUP_NAME]\n";
  for (int i = 0; i < 20; ++i) {
    text += std::to_string(i) + "=G" + std::to_string(i) + "\n";
    writeGroup("G" + std::to_string(i), namedStore({"m"}));
  }
  writeIndex(text);
  readGroupIndex(folder(), lib, prompter);
  EXPECT_EQ(lib.groupCount, kMaxGroups);
  EXPECT_EQ(lib.groupNames[11], "G11");

  test::writeFile(dir.path() / "escape.dat", "[Macros]\nmacroNum=1\n");
  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=2\n[MACRO_GROUP_NAME]\n0=../escape\n1=G1\n");
  readGroupIndex(folder(), lib, prompter);
  EXPECT_EQ(lib.groupCount, 1);
  EXPECT_EQ(lib.groupNames[0], "G1");

  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=-4\n");
  lib.currentGroup = 3;
  readGroupIndex(folder(), lib, prompter);
  EXPECT_EQ(lib.groupCount, 0);
  EXPECT_EQ(lib.currentGroup, 0);
}

TEST_F(LibraryFolder, AnIndexWithNoGroupsLeavesTheListEmpty) {
  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=0\n");
  lib.groupNames[4] = "stale";
  EXPECT_TRUE(readGroupIndex(folder(), lib, prompter));
  EXPECT_EQ(lib.groupCount, 0);
  EXPECT_EQ(lib.groupNames[4], "");
}

TEST_F(LibraryFolder, AMissingIndexSaysSo) {
  EXPECT_FALSE(readGroupIndex(folder(), lib, prompter));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Can't find the file."});
  EXPECT_EQ(lib.groupCount, 0);
}

TEST_F(LibraryFolder, CollectsTheMacroNamesOfEveryGroup) {
  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=3\n[MACRO_GROUP_NAME]\n0=A\n1=B\n2=C\n");
  writeGroup("A", namedStore({"one", "two"}));
  writeGroup("B", namedStore({}));
  std::string big = "[Macros]\nmacroNum=25\n";
  test::writeFile(groupFile(folder(), "C"), big);
  readGroupIndex(folder(), lib, prompter);
  lib.macroNames[2][0] = "stale";
  collectMacroNames(folder(), lib, kLanguageEnglish);
  EXPECT_EQ(lib.macroCounts[0], 2);
  EXPECT_EQ(lib.macroNames[0][1], "two");
  EXPECT_EQ(lib.macroCounts[1], 0);
  EXPECT_EQ(lib.macroCounts[2], 0);
  EXPECT_EQ(lib.macroNames[2][0], "");
}

TEST_F(LibraryFolder, ReadsOneMacroOfAnyGroupFromDisk) {
  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=2\n[MACRO_GROUP_NAME]\n0=A\n1=B\n");
  MacroStore b = namedStore({"x", "y"});
  b.slots[1].repeatCount = 300;
  writeGroup("A", namedStore({"a"}));
  writeGroup("B", b);
  EXPECT_EQ(readOneMacro(folder(), 1, 1, kLanguageEnglish), b.slots[1]);
  EXPECT_EQ(readOneMacro(folder(), 1, 2, kLanguageEnglish), MacroRecord{});
  // A group index equal to the count names no group, even when a file ".dat" exists.
  writeGroup("", namedStore({"z"}));
  EXPECT_EQ(readOneMacro(folder(), 2, 0, kLanguageEnglish), MacroRecord{});
  EXPECT_EQ(readOneMacro(folder(), -1, 0, kLanguageEnglish), MacroRecord{});
  EXPECT_EQ(readOneMacro(dir.path() / "nowhere", 0, 0, kLanguageEnglish), MacroRecord{});
}

TEST_F(LibraryFolder, LoadsAGroupOnlyWhenItsFileExists) {
  writeIndex("[MACRO_GROUP_NUM]\nmacGrpNum=1\n[MACRO_GROUP_NAME]\n0=A\n");
  writeGroup("A", namedStore({"a", "b"}));
  readGroupIndex(folder(), lib, prompter);
  MacroStore store;
  EXPECT_TRUE(loadGroup(folder(), lib, 0, kLanguageEnglish, store, prompter));
  EXPECT_EQ(store.count, 2);
  EXPECT_FALSE(groupFileExists(folder(), lib, 1));
  EXPECT_FALSE(loadGroup(folder(), lib, 1, kLanguageEnglish, store, prompter));
  fs::remove(groupFile(folder(), "A"));
  EXPECT_FALSE(groupFileExists(folder(), lib, 0));
}

TEST_F(LibraryFolder, CreatesTheEmptyGroupFileOrSaysItCannot) {
  EXPECT_TRUE(createEmptyGroupFile(folder(), prompter));
  EXPECT_TRUE(fs::is_regular_file(folder() / "New.dat"));
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_FALSE(createEmptyGroupFile(dir.path() / "missing", prompter));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Create new mac_file Fail!"});
}

TEST_F(LibraryFolder, WipeEmptiesTheFolderAndCopyRecurses) {
  test::writeFile(folder() / "a.dat", "a");
  test::writeFile(folder() / "sub" / "deeper" / "b.dat", "b");
  const fs::path copy = dir.path() / "copy";
  test::writeFile(copy / "a.dat", "old");
  EXPECT_TRUE(copyFolder(folder(), copy));
  EXPECT_EQ(test::readFile(copy / "a.dat"), "a");
  EXPECT_EQ(test::readFile(copy / "sub" / "deeper" / "b.dat"), "b");
  wipeFolder(folder());
  EXPECT_TRUE(fs::is_directory(folder()));
  EXPECT_TRUE(fs::is_empty(folder()));
}

TEST(MacroLibraryRestore, BringsBackTheFactorySet) {
  ScratchDir dir;
  const Paths paths = test::scratchPaths(dir.path(), true);
  for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
    const fs::path folder = paths.macroFolder(language);
    RecordingPrompter prompter;
    MacroLibrary lib;
    ASSERT_TRUE(readGroupIndex(folder, lib, prompter));
    // The user adds a group, changes a factory group and deletes the other.
    lib.groupNames[static_cast<std::size_t>(lib.groupCount++)] = "Mine";
    ASSERT_TRUE(writeAllMacros(groupFile(folder, "Mine"), namedStore({"m"}), language));
    ASSERT_TRUE(writeGroupIndex(folder, lib));
    ASSERT_TRUE(writeAllMacros(groupFile(folder, lib.groupNames[0]), namedStore({"changed"}), language));
    fs::remove(groupFile(folder, lib.groupNames[1]));
    test::writeFile(folder / "stray" / "x.txt", "x");

    MacroStore store;
    int currentMacro = 3;
    lib.currentGroup = 2;
    ASSERT_TRUE(restoreLibrary(folder, paths.macroResetFolder(language), language, lib, store, currentMacro, prompter));
    EXPECT_EQ(currentMacro, 0);
    EXPECT_EQ(lib.currentGroup, 0);
    const std::vector<FactoryGroup> factory = factoryMacroGroups(language);
    ASSERT_EQ(lib.groupCount, static_cast<int>(factory.size()));
    for (std::size_t g = 0; g < factory.size(); ++g) EXPECT_EQ(lib.groupNames[g], factory[g].name);
    EXPECT_FALSE(fs::exists(groupFile(folder, "Mine")));
    EXPECT_FALSE(fs::exists(folder / "stray"));
    EXPECT_EQ(store.count, factory[0].store.count);
    EXPECT_EQ(store.slots[0], factory[0].store.slots[0]);
    EXPECT_EQ(lib.macroCounts[1], factory[1].store.count);
    EXPECT_TRUE(prompter.messages.empty());
  }
}

TEST(MacroLibraryRestore, RefusesWithoutAFactoryCopyAndKeepsTheLibrary) {
  ScratchDir dir;
  test::writeFile(dir / "macro" / "macroGrp.ini", "[MACRO_GROUP_NUM]\nmacGrpNum=0\n");
  MacroLibrary lib;
  MacroStore store;
  int currentMacro = 2;
  RecordingPrompter prompter;
  EXPECT_FALSE(restoreLibrary(dir / "macro", dir / "noReset", kLanguageEnglish, lib, store, currentMacro, prompter));
  EXPECT_TRUE(fs::exists(dir / "macro" / "macroGrp.ini"));
  EXPECT_EQ(currentMacro, 2);
}

}  // namespace
}  // namespace tarvosk
