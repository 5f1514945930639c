// Switching the interface language: what is saved into which folder, what is read again.

#include "window/language_switch.h"

#include <gtest/gtest.h>

#include "macro/macro_file.h"
#include "platform/profile_file.h"
#include "settings/config_file.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::RecordingPrompter;
using test::ScratchDir;

// The shipped data plus layout files of both languages that name one main item each, so a test
// can tell which language's layout was loaded.
class LanguageSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    paths = test::scratchPaths(dir.path(), true);
    for (int language : {kLanguageSecond, kLanguageEnglish}) {
      for (LayoutTable table :
           {LayoutTable::Main, LayoutTable::Led, LayoutTable::Advanced, LayoutTable::Macro, LayoutTable::Warning}) {
        const std::string body = table == LayoutTable::Main
                                     ? std::string("[BUTTONPOS]\n5=n,1,2,3,4,") + (language ? "English" : "Segunda") + ",\n"
                                     : std::string();
        test::writeFile(layoutFilePath(paths, table, language), body);
      }
    }
    RecordingPrompter quiet;
    ASSERT_TRUE(loadAtStartup(record, paths, quiet));
    readGroupIndex(paths.macroFolder(record.language), library, quiet);
    ASSERT_GT(library.groupCount, 0);
    loadGroup(paths.macroFolder(record.language), library, 0, record.language, macros, quiet);
  }

  LanguageSwitchResult switchTo(int32_t language) {
    LanguageSwitchState state{record, paths, layout, library, macros, currentMacro};
    return switchInterfaceLanguage(state, language, prompter);
  }

  ScratchDir dir;
  Paths paths;
  SettingsRecord record;
  SkinLayout layout;
  MacroLibrary library;
  MacroStore macros;
  int currentMacro = 0;
  RecordingPrompter prompter;
};

TEST_F(LanguageSwitchTest, ReadsTheOtherLanguagesNamesLayoutsAndLibraryAndWritesVerSel) {
  ASSERT_TRUE(isEnglish(record.language));  // the shipped configuration starts in English
  const LanguageSwitchResult result = switchTo(kLanguageSecond);
  EXPECT_EQ(result.layouts, LayoutLoadResult::Loaded);
  EXPECT_TRUE(result.macrosSaved);
  EXPECT_EQ(record.language, kLanguageSecond);
  EXPECT_EQ(ProfileFile(paths.configFile).readInt("Init", "VER_SEL", 5), 0);
  EXPECT_EQ(record.profileName[0], "Perfil 1");
  EXPECT_EQ(layout.main[5].caption, "Segunda");
  EXPECT_EQ(library.groupNames[0], "Escritório");
  EXPECT_EQ(library.currentGroup, 0);
  EXPECT_EQ(currentMacro, 0);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LanguageSwitchTest, TheEditedGroupIsSavedIntoTheFolderOfTheLanguageLeft) {
  // An edit of the group in memory goes to the English folder, not the other language's.
  setMacroName(macros.slots[0], "Zap");
  const MacroStore before = macros;
  switchTo(kLanguageSecond);
  MacroStore english;
  RecordingPrompter quiet;
  ASSERT_TRUE(readGroupFile(groupFile(paths.macroFolder(kLanguageEnglish), "Office"), kLanguageEnglish, english, quiet));
  EXPECT_EQ(english.slots[0].name, before.slots[0].name);
  MacroStore second;
  ASSERT_TRUE(readGroupFile(groupFile(paths.macroFolder(kLanguageSecond), "Escritório"), kLanguageSecond, second, quiet));
  EXPECT_NE(second.slots[0].name, before.slots[0].name);
}

TEST_F(LanguageSwitchTest, SwitchingToTheActiveLanguageReloadsItAndMissingNamesAreEmpty) {
  ProfileFile(paths.configFile).writeString("Init", "ConfigName1_EN", "");
  record.profileName[0] = "stale";
  const LanguageSwitchResult result = switchTo(kLanguageEnglish);
  EXPECT_EQ(result.layouts, LayoutLoadResult::Loaded);
  EXPECT_EQ(record.profileName[0], "");
  EXPECT_EQ(record.profileName[1], "Profile 2");
  EXPECT_EQ(ProfileFile(paths.configFile).readString("Init", "ConfigName1", "", 15), "Perfil 1");
  EXPECT_EQ(layout.main[5].caption, "English");
}

TEST_F(LanguageSwitchTest, WithoutAGroupNoMacroFileIsWrittenAndAMissingLayoutIsReported) {
  library = MacroLibrary{};
  const auto englishFolder = paths.macroFolder(kLanguageEnglish);
  const auto officeBefore = test::readFile(groupFile(englishFolder, "Office"));
  std::filesystem::remove(layoutFilePath(paths, LayoutTable::Advanced, kLanguageSecond));
  const LanguageSwitchResult result = switchTo(kLanguageSecond);
  EXPECT_EQ(result.layouts, LayoutLoadResult::FileMissing);
  EXPECT_EQ(test::readFile(groupFile(englishFolder, "Office")), officeBefore);
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_EQ(prompter.messages[0], kLayoutFileMissingMessage);
}

}  // namespace
}  // namespace tarvosk
