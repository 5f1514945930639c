#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macro/macro_file.h"
#include "macro/macro_manager.h"
#include "platform/profile_file.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;

// The shipped English library in a scratch folder: "Office" (8 macros) and "Gaming" (4).
class MacroManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::RecordingPrompter prompter;
    ASSERT_TRUE(readGroupIndex(folder, library, prompter));
    ASSERT_TRUE(loadGroup(folder, library, 0, kLanguageEnglish, store, prompter));
    collectMacroNames(folder, library, kLanguageEnglish);
    ASSERT_EQ(library.groupCount, 2);
    ASSERT_EQ(store.count, 8);
  }

  std::vector<std::string> storeNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < store.count; ++i) names.push_back(macroNameText(store.slots[i]));
    return names;
  }
  std::vector<std::string> fileNames(std::string_view group) const {
    MacroStore onDisk;
    test::RecordingPrompter prompter;
    readGroupFile(groupFile(folder, group), kLanguageEnglish, onDisk, prompter);
    std::vector<std::string> names;
    for (int i = 0; i < onDisk.count; ++i) names.push_back(macroNameText(onDisk.slots[i]));
    return names;
  }
  std::vector<std::string> indexNames() const {
    const MacroLibrary onDisk = readGroupList(folder, kLanguageEnglish);
    return {onDisk.groupNames.begin(), onDisk.groupNames.begin() + onDisk.groupCount};
  }
  MacroRecord fileMacro(std::string_view group, int index) const {
    return readMacroFromFile(groupFile(folder, group), index, kLanguageEnglish);
  }
  void fillGroups() {
    for (int g = library.groupCount; g < kMaxGroups; ++g) {
      const std::string name = "G" + std::to_string(g);
      test::writeFile(groupFile(folder, name), "");
      library.groupNames[g] = name;
    }
    library.groupCount = kMaxGroups;
    writeGroupIndex(folder, library);
  }

  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  fs::path folder = paths.macroFolder(kLanguageEnglish);
  MacroLibrary library;
  MacroStore store;
  int current = 0;
  MacroWorkspace ws{folder, paths.macroResetFolder(kLanguageEnglish), kLanguageEnglish, library, store, current};
};

const std::vector<std::string> kOffice{"Copy", "Paste", "Cut", "Undo", "Redo", "SelectAll", "Save", "Find"};

TEST_F(MacroManagerTest, ANewMacroIsAddedCurrentAndWrittenAtOnce) {
  const ManagerResult result = newMacro(ws);
  EXPECT_FALSE(result.message);
  EXPECT_EQ(result.refresh, PageRefresh::AllLists);
  EXPECT_EQ(current, 8);
  EXPECT_EQ(result.selectMacroLine, 8);
  std::vector<std::string> expected = kOffice;
  expected.push_back("New");
  EXPECT_EQ(storeNames(), expected);
  EXPECT_EQ(fileNames("Office"), expected);
}

TEST_F(MacroManagerTest, ASecondNewMacroIsADoubleNameAndThe21stIsOverTheLimit) {
  newMacro(ws);
  EXPECT_EQ(newMacro(ws).message, "'New' Double name!");
  EXPECT_EQ(store.count, 9);
  for (int i = 9; i < kMacrosPerGroup; ++i) {
    macroNameEdited(ws, "M" + std::to_string(i));
    ASSERT_FALSE(newMacro(ws).message) << i;
  }
  EXPECT_EQ(store.count, kMacrosPerGroup);
  EXPECT_EQ(newMacro(ws).message, "More than limit!");
  EXPECT_EQ(store.count, kMacrosPerGroup);
}

TEST_F(MacroManagerTest, DeletingAMacroRewritesTheFileToHoldExactlyTheList) {
  const ManagerResult result = deleteMacro(ws, 2, false);
  EXPECT_TRUE(result.changed);
  EXPECT_FALSE(result.writeFailed);
  EXPECT_EQ(current, 1);
  const std::vector<std::string> expected{"Copy", "Paste", "Undo", "Redo", "SelectAll", "Save", "Find"};
  EXPECT_EQ(storeNames(), expected);
  EXPECT_EQ(fileNames("Office"), expected);
  const std::optional<IniDocument> doc = IniDocument::load(groupFile(folder, "Office"));
  ASSERT_TRUE(doc);
  EXPECT_FALSE(doc->value(kMacroSection, "7")) << "the old last key is gone";
  EXPECT_EQ(store.slots[7], MacroRecord{});
  EXPECT_EQ(library.macroCounts[0], 7);
}

TEST_F(MacroManagerTest, DeletingTheFirstAndTheOnlyMacros) {
  deleteMacro(ws, 0, false);
  EXPECT_EQ(current, 0);
  EXPECT_EQ(storeNames().front(), "Paste");
  while (store.count > 0) deleteMacro(ws, 0, false);
  EXPECT_TRUE(fileNames("Office").empty());
  EXPECT_FALSE(deleteMacro(ws, 0, false).changed) << "an empty list";
}

TEST_F(MacroManagerTest, NothingIsDeletedDuringATake) {
  EXPECT_FALSE(deleteMacro(ws, 1, true).changed);
  EXPECT_EQ(storeNames(), kOffice);
}

TEST_F(MacroManagerTest, TheNameFieldRenamesTheCurrentMacro) {
  current = 1;
  ManagerResult result = macroNameEdited(ws, "Paste2");
  EXPECT_TRUE(result.changed);
  EXPECT_EQ(result.selectMacroLine, 1);
  EXPECT_EQ(macroNameText(fileMacro("Office", 1)), "Paste2");

  result = macroNameEdited(ws, "Copy");  // another macro's name: nothing, no message
  EXPECT_FALSE(result.changed);
  EXPECT_FALSE(result.message);
  EXPECT_EQ(macroNameText(store.slots[1]), "Paste2");

  result = macroNameEdited(ws, " ");
  EXPECT_EQ(result.fieldText, "Paste2");
  EXPECT_EQ(macroNameText(store.slots[1]), "Paste2");
}

TEST_F(MacroManagerTest, ALineRenamedInPlaceIsCheckedForLengthAndDoubles) {
  ManagerResult result = macroRenamedInList(ws, 2, "TenLetters");
  EXPECT_EQ(result.message, "More than limit!");
  EXPECT_EQ(result.fieldText, "Cut");
  result = macroRenamedInList(ws, 2, "Paste");
  EXPECT_EQ(result.message, "'Paste' Double name!");
  EXPECT_EQ(result.fieldText, "Cut");
  result = macroRenamedInList(ws, 2, "NineChars");
  EXPECT_FALSE(result.message);
  EXPECT_EQ(current, 2);
  EXPECT_EQ(macroNameText(fileMacro("Office", 2)), "NineChars");
}

struct RepeatCase {
  const char* name;
  const char* text;
  uint16_t stored;
  std::optional<std::string> fieldText;
};

class RepeatCount : public MacroManagerTest, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(RepeatCount, IsClippedStoredAndWritten) {
  const ManagerResult result = repeatCountEdited(ws, GetParam().text);
  EXPECT_EQ(store.slots[0].repeatCount, GetParam().stored);
  EXPECT_EQ(fileMacro("Office", 0).repeatCount, GetParam().stored);
  EXPECT_EQ(result.fieldText, GetParam().fieldText);
}

INSTANTIATE_TEST_SUITE_P(Table, RepeatCount,
                         ::testing::Values(RepeatCase{"Plain", "12", 12, std::nullopt}, RepeatCase{"Zero", "0", 1, "1"},
                                           RepeatCase{"NoDigits", "abc", 1, "1"}, RepeatCase{"Negative", "-4", 1, "1"},
                                           RepeatCase{"AboveTheField", "70000", 65535, "65535"},
                                           RepeatCase{"Largest", "65535", 65535, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroManagerTest, PlayModesSetTheRepeatFieldAndAreWritten) {
  repeatCountEdited(ws, "9");
  ManagerResult result = setPlayMode(ws, 1);
  EXPECT_EQ(store.slots[0].playMode & play::kModeMask, 1);
  EXPECT_EQ(store.slots[0].repeatCount, 1);
  EXPECT_EQ(result.fieldText, "1");
  EXPECT_EQ(fileMacro("Office", 0).playMode & play::kModeMask, 1);
  result = setPlayMode(ws, 2);
  EXPECT_EQ(fileMacro("Office", 0).playMode & play::kModeMask, 2);
  result = setPlayMode(ws, 0);
  EXPECT_EQ(store.slots[0].playMode & play::kModeMask, 0);
  EXPECT_EQ(result.fieldText, "1") << "the count was forced to 1";
  EXPECT_FALSE(setPlayMode(ws, 3).changed);
}

TEST_F(MacroManagerTest, SelectingAMacroWritesTheOneLeft) {
  store.slots[0].repeatCount = 33;
  const ManagerResult result = selectMacro(ws, 3, false);
  EXPECT_EQ(current, 3);
  EXPECT_EQ(result.fieldText, "Undo");
  EXPECT_EQ(result.refresh, PageRefresh::EventList);
  EXPECT_EQ(fileMacro("Office", 0).repeatCount, 33);
  const ManagerResult refused = selectMacro(ws, 5, true);
  EXPECT_EQ(refused.message, "Recording");
  EXPECT_EQ(refused.selectMacroLine, 3);
  EXPECT_EQ(current, 3);
}

TEST_F(MacroManagerTest, ANewGroupWritesTheMacroLeftAndIsCreatedEmpty) {
  store.slots[2].repeatCount = 44;
  current = 2;
  const ManagerResult result = newGroup(ws);
  EXPECT_FALSE(result.message);
  EXPECT_EQ(fileMacro("Office", 2).repeatCount, 44);
  EXPECT_EQ(indexNames(), (std::vector<std::string>{"Office", "Gaming", "New"}));
  EXPECT_TRUE(fs::exists(groupFile(folder, "New")));
  EXPECT_EQ(library.currentGroup, 2);
  EXPECT_EQ(store.count, 0);
  EXPECT_EQ(newGroup(ws).message, "'New' Double name!");
  EXPECT_EQ(library.groupCount, 3);
}

TEST_F(MacroManagerTest, ThirteenGroupsAreOverTheLimit) {
  fillGroups();
  EXPECT_EQ(newGroup(ws).message, "More than limit!");
  EXPECT_EQ(indexNames().size(), static_cast<std::size_t>(kMaxGroups));
}

struct RenameCase {
  const char* name;
  std::string text;
  std::string indexName;  // group 0's name in the index afterwards
  std::optional<std::string> message;
  std::optional<std::string> fieldText;
};

class GroupRename : public MacroManagerTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(GroupRename, MovesTheFileOrKeepsTheOldName) {
  const RenameCase& c = GetParam();
  const ManagerResult result = groupNameEdited(ws, c.text);
  EXPECT_EQ(result.message, c.message);
  EXPECT_EQ(result.fieldText, c.fieldText);
  EXPECT_EQ(indexNames().front(), c.indexName);
  EXPECT_EQ(library.groupNames[0], c.indexName);
  EXPECT_EQ(fileNames(c.indexName), kOffice) << "the group's macros are under its name";
  EXPECT_EQ(fs::exists(groupFile(folder, "Office")), c.indexName == "Office");
}

INSTANTIATE_TEST_SUITE_P(
    Table, GroupRename,
    ::testing::Values(
        RenameCase{"NewName", "Work", "Work", std::nullopt, std::nullopt},
        RenameCase{"NineteenCharacters", "Nineteen characters", "Nineteen characters", std::nullopt, std::nullopt},
        RenameCase{"AnotherGroupsName", "Gaming", "Office", std::nullopt, std::nullopt},
        RenameCase{"Empty", "", "Office", std::nullopt, "Office"},
        RenameCase{"OneSpace", " ", "Office", std::nullopt, "Office"},
        RenameCase{"TwentyCharacters", "Twenty characters!!", "Twenty characters!!", std::nullopt, std::nullopt},
        RenameCase{"TooLongForTheIndex", "Twenty characters!!!", "Office", std::nullopt, "Office"},
        RenameCase{"Slash", "a/b", "Office", "Invalid: Delete Invalid character", "Office"},
        RenameCase{"ParentFolder", "../up", "Office", "Invalid: Delete Invalid character", "Office"},
        RenameCase{"Colon", "a:b", "Office", "Invalid: Delete Invalid character", "Office"},
        RenameCase{"Star", "a*", "Office", "Invalid: Delete Invalid character", "Office"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroManagerTest, RenamingAGroupWithoutItsFileKeepsTheNewNameAndSaysSo) {
  fs::remove(groupFile(folder, "Office"));
  const ManagerResult result = groupNameEdited(ws, "Lost");
  EXPECT_EQ(result.message, "not find File!");
  EXPECT_EQ(library.groupNames[0], "Lost");
}

TEST_F(MacroManagerTest, DeletingGroupsLoadsGroup0AndTheLastEmptiesThePage) {
  ManagerResult result = deleteGroup(ws);
  EXPECT_FALSE(fs::exists(groupFile(folder, "Office")));
  EXPECT_EQ(indexNames(), std::vector<std::string>{"Gaming"});
  EXPECT_EQ(storeNames(), (std::vector<std::string>{"Burst x3", "Rapid x5", "Auto fire", "Sniper"}));
  EXPECT_EQ(result.refresh, PageRefresh::AllLists);
  result = deleteGroup(ws);
  EXPECT_TRUE(indexNames().empty());
  EXPECT_EQ(library.groupCount, 0);
  EXPECT_EQ(store.count, 0);
  EXPECT_EQ(store.slots[0], MacroRecord{});
  EXPECT_FALSE(result.message);
  EXPECT_FALSE(deleteGroup(ws).changed);
}

TEST_F(MacroManagerTest, ChoosingAGroupWritesTheMacroOfTheGroupLeftFirst) {
  current = 5;
  store.slots[5].repeatCount = 55;
  const ManagerResult result = chooseGroup(ws, 1);
  EXPECT_EQ(fileMacro("Office", 5).repeatCount, 55);
  EXPECT_EQ(library.currentGroup, 1);
  EXPECT_EQ(current, 0);
  EXPECT_EQ(store.count, 4);
  EXPECT_EQ(result.refresh, PageRefresh::AllLists);
  EXPECT_FALSE(chooseGroup(ws, 2).changed);
}

struct ImportCase {
  const char* name;
  std::string fileName;
  std::optional<std::string> message;
};

class Import : public MacroManagerTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(Import, RefusesFilesThatCannotBeAGroup) {
  test::ScratchDir outside;
  const fs::path source = outside / GetParam().fileName;
  fs::copy_file(groupFile(folder, "Gaming"), source);
  const ManagerResult result = importGroup(ws, source);
  EXPECT_EQ(result.message, GetParam().message);
  if (!GetParam().message) {
    EXPECT_EQ(indexNames(), (std::vector<std::string>{"Office", "Gaming", "Extra"}));
    EXPECT_EQ(library.currentGroup, 2);
    EXPECT_EQ(store.count, 4);
    EXPECT_EQ(fileNames("Extra"), fileNames("Gaming"));
  } else {
    EXPECT_EQ(indexNames(), (std::vector<std::string>{"Office", "Gaming"}));
    EXPECT_EQ(library.currentGroup, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Import,
                         ::testing::Values(ImportCase{"DatFile", "Extra.dat", std::nullopt},
                                           ImportCase{"UpperCaseExtension", "Extra.DAT", "Error!"},
                                           ImportCase{"DatInsideTheName", "Extra.dat.bak", "Error!"},
                                           ImportCase{"OnlyTheExtension", ".dat", "Error!"},
                                           ImportCase{"TooLongForTheIndex", "Twenty characters!!!.dat", "Error!"},
                                           ImportCase{"AGroupsName", "Gaming.dat", "Double name!"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroManagerTest, ImportWritesTheMacroLeftAndRefusesA13thGroup) {
  test::ScratchDir outside;
  fs::copy_file(groupFile(folder, "Gaming"), outside / "Extra.dat");
  store.slots[0].repeatCount = 66;
  importGroup(ws, outside / "Extra.dat");
  EXPECT_EQ(fileMacro("Office", 0).repeatCount, 66);
  fillGroups();
  EXPECT_EQ(importGroup(ws, outside / "Extra.dat").message, "More than limit!");
}

TEST_F(MacroManagerTest, ExportWritesTheStoreAndReplacesWhatTheFileHeld) {
  test::ScratchDir outside;
  const fs::path target = outside / "out.dat";
  test::writeFile(target, "[Other]\nkey=1\n[Macros]\nmacroNum=9\n8=stale\n");
  store.slots[0].repeatCount = 77;  // not written to the group file yet: the export has it
  const ManagerResult result = exportGroup(ws, target);
  EXPECT_FALSE(result.message);
  MacroStore exported;
  test::RecordingPrompter prompter;
  readGroupFile(target, kLanguageEnglish, exported, prompter);
  EXPECT_EQ(exported.count, 8);
  EXPECT_EQ(exported.slots[0].repeatCount, 77);
  const std::optional<IniDocument> doc = IniDocument::load(target);
  ASSERT_TRUE(doc);
  EXPECT_FALSE(doc->value("Other", "key"));
  EXPECT_FALSE(doc->value(kMacroSection, "8"));
}

TEST_F(MacroManagerTest, ExportFailsWithAMessageWithoutAGroupOrAWritableFolder) {
  EXPECT_EQ(exportGroup(ws, dir / "missing-folder" / "out.dat").message, "Error!");
  library.groupCount = 0;
  EXPECT_EQ(exportGroup(ws, dir / "out.dat").message, "Error!");
  EXPECT_FALSE(fs::exists(dir / "out.dat"));
}

TEST_F(MacroManagerTest, RestoreBringsBackTheFactoryLibrary) {
  newGroup(ws);
  groupNameEdited(ws, "Mine");
  const ManagerResult result = restoreGroups(ws);
  EXPECT_FALSE(result.message);
  EXPECT_EQ(indexNames(), (std::vector<std::string>{"Office", "Gaming"}));
  EXPECT_FALSE(fs::exists(groupFile(folder, "Mine")));
  EXPECT_EQ(library.currentGroup, 0);
  EXPECT_EQ(storeNames(), kOffice);
}

TEST_F(MacroManagerTest, RestoreWithoutAFactoryIndexChangesNothing) {
  fs::remove(groupIndexFile(ws.resetFolder));
  newGroup(ws);
  EXPECT_EQ(restoreGroups(ws).message, "Can't find the file.");
  EXPECT_EQ(indexNames(), (std::vector<std::string>{"Office", "Gaming", "New"}));
}

}  // namespace
}  // namespace tarvosk
