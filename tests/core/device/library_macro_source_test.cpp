#include <gtest/gtest.h>

#include "device/library_macro_source.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;

class LibrarySourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::RecordingPrompter prompter;
    ASSERT_TRUE(readBuiltInMacros(test::shippedSkinsDir().parent_path() / "constMacro.dat", kLanguageEnglish, builtIns,
                                  prompter));
  }
  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  fs::path folder = paths.macroFolder(kLanguageEnglish);
  BuiltInMacroTable builtIns;
};

TEST_F(LibrarySourceTest, AnswersFromTheFilesAndTheBuiltInTable) {
  LibraryMacroSource source(folder, kLanguageEnglish, builtIns);
  EXPECT_EQ(source.groupCount(), 2);
  EXPECT_EQ(source.macroCount(0), 8);
  EXPECT_EQ(source.macroCount(1), 4);
  EXPECT_EQ(source.macroCount(2), 0);
  EXPECT_EQ(source.macroCount(-1), 0);
  EXPECT_EQ(macroNameText(source.userMacro(1, 0)), "Burst x3");
  EXPECT_EQ(source.userMacro(1, 4), MacroRecord{});
  EXPECT_EQ(source.userMacro(2, 0), MacroRecord{});
  EXPECT_EQ(macroNameText(source.builtInMacro(0)), "Copy");
  EXPECT_EQ(macroNameText(source.builtInMacro(20)), "Burst x2");
  EXPECT_EQ(source.builtInMacro(21), MacroRecord{});
}

TEST_F(LibrarySourceTest, WritingAUserMacroKeepsTheRestOfItsFile) {
  LibraryMacroSource source(folder, kLanguageEnglish, builtIns);
  MacroRecord changed = source.userMacro(1, 2);
  changed.eventParamB[0] = 30;
  const MacroRecord neighbour = source.userMacro(1, 3);
  ASSERT_TRUE(source.writeUserMacro(1, 2, changed));
  EXPECT_EQ(source.userMacro(1, 2), changed);
  EXPECT_EQ(source.userMacro(1, 3), neighbour);
  EXPECT_EQ(readGroupList(folder, kLanguageEnglish).macroCounts[1], 4);
  EXPECT_FALSE(source.writeUserMacro(1, 4, changed));
  EXPECT_FALSE(source.writeUserMacro(2, 0, changed));
  EXPECT_FALSE(source.writeUserMacro(-1, 0, changed));
}

TEST_F(LibrarySourceTest, RefreshWritesTheEditedMacroBackAndRereadsTheList) {
  LibraryMacroSource source(folder, kLanguageEnglish, builtIns);
  MacroStore store;
  test::RecordingPrompter prompter;
  ASSERT_TRUE(readGroupFile(groupFile(folder, "Office"), kLanguageEnglish, store, prompter));
  setMacroName(store.slots[3], "Undo2");
  store.slots[store.count++] = store.slots[0];  // a new macro not yet in the file
  source.setEditedMacro(&store, 0, 8);
  EXPECT_EQ(source.macroCount(0), 8);
  ASSERT_TRUE(source.refreshForUpload());
  EXPECT_EQ(source.macroCount(0), 9);
  EXPECT_EQ(source.userMacro(0, 8), store.slots[0]);
  // Only the edited macro is written: the renamed one waits for its own write-back.
  EXPECT_EQ(macroNameText(source.userMacro(0, 3)), "Undo");

  source.setEditedMacro(nullptr, 0, 0);
  fs::remove(groupFile(folder, "Gaming"));
  ASSERT_TRUE(source.refreshForUpload());
  EXPECT_EQ(source.macroCount(1), 0);
}

}  // namespace
}  // namespace tarvosk
