#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "replace_fault.h"
#include "settings/config_file.h"
#include "settings/profiles.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::readFile;
using test::RecordingPrompter;
using test::ScratchDir;
using test::writeFile;
using Action = NameEditOutcome::Action;

class ProfilesTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  RecordingPrompter prompter;
  SettingsRecord s;

  void SetUp() override { ASSERT_TRUE(loadAtStartup(s, paths, prompter)); }
  std::optional<std::string> stored(std::string_view key) {
    return IniDocument::load(paths.configFile)->value("Init", key);
  }
};

TEST_F(ProfilesTest, NameEditsFollowTheLengthRule) {
  s.language = 1;
  const struct {
    const char* text;
    Action action;
    const char* field;
    const char* file;
  } steps[] = {
      {"Aim", Action::Stored, "Aim", "Aim"},
      {"Aim", Action::Unchanged, "Aim", "Aim"},
      {"aim", Action::Stored, "aim", "aim"},  // case counts
      {"Ten chars!", Action::Stored, "Ten chars!", "Ten chars!"},
      {"Eleven char", Action::Reverted, "Ten chars!", "Ten chars!"},
      {"", Action::Reverted, "Ten chars!", "Ten chars!"},
      {"Ação rápid", Action::Stored, "Ação rápid", "Ação rápid"},  // ten characters, more bytes
  };
  for (const auto& step : steps) {
    const NameEditOutcome out = editProfileName(s, 1, step.text, paths.configFile);
    EXPECT_EQ(out.action, step.action) << step.text;
    EXPECT_EQ(out.fieldText, step.field) << step.text;
    EXPECT_TRUE(out.written);
    EXPECT_EQ(s.profileName[0], step.field);
    EXPECT_EQ(stored("ConfigName1_EN"), step.file) << step.text;
  }
  EXPECT_EQ(stored("ConfigName1"), "Perfil 1");  // the other language's name is untouched
}

// The field feeds every change back into editProfileName, including the text a revert put there:
// that notification must find nothing to do, even when the stored name itself breaks the rule.
TEST_F(ProfilesTest, TheTextARevertPutsBackIsAcceptedAsItStands) {
  for (const std::string storedName : {"", "Eleven char", "Fine"}) {
    s.language = 0;
    s.profileName[1] = storedName;
    const NameEditOutcome revert = editProfileName(s, 2, "Twelve chars", paths.configFile);
    EXPECT_EQ(revert.action, Action::Reverted) << storedName;
    EXPECT_EQ(revert.fieldText, storedName);
    EXPECT_EQ(stored("ConfigName2"), storedName);
    const std::string afterRevert = readFile(paths.configFile);
    const NameEditOutcome echo = editProfileName(s, 2, revert.fieldText, paths.configFile);
    EXPECT_EQ(echo.action, Action::Unchanged) << storedName;
    EXPECT_EQ(echo.fieldText, storedName);
    EXPECT_EQ(s.profileName[1], storedName);
    EXPECT_EQ(readFile(paths.configFile), afterRevert) << "the echo writes nothing";
  }
}

TEST_F(ProfilesTest, ResetLoadsAndSavesTheSlotsFromTheLastToTheFirst) {
  // A configuration written from nothing gets its sections in the order they are first saved.
  std::filesystem::remove(paths.configFile);
  ASSERT_TRUE(resetToFactory(s, paths, prompter));
  const std::string written = readFile(paths.configFile);
  std::vector<std::size_t> at;
  for (const char* section : {"[Config3]", "[Config2]", "[Config1]", "[Config0]", "[ShareData]"}) {
    at.push_back(written.find(section));
    ASSERT_NE(at.back(), std::string::npos) << section;
  }
  // Slot 3 first, then the shared values it saves with it, then slots 2, 1 and 0.
  EXPECT_TRUE(at[0] < at[4] && at[4] < at[1] && at[1] < at[2] && at[2] < at[3]) << written;
}

TEST_F(ProfilesTest, ResetBringsBackFactoryValuesButKeepsNamesAndInit) {
  ProfileFile(paths.factoryConfigFile).writeInt("Config3", "K0", 33);  // tell the factory slots apart
  ProfileFile(paths.configFile).writeString("Init", "ConfigName1_EN", "Mine");
  ProfileFile(paths.configFile).writeInt("Init", "CurConfig", 2);
  s.buttonFunction[3][0] = 5;
  s.fireTime = 250;
  ASSERT_TRUE(resetToFactory(s, paths, prompter));
  EXPECT_EQ(s.buttonFunction[3][0], 33);
  EXPECT_EQ(s.fireTime, 50);
  SettingsRecord reloaded;
  ASSERT_TRUE(loadAtStartup(reloaded, paths, prompter));
  EXPECT_EQ(reloaded.buttonFunction[3][0], 33);
  EXPECT_EQ(reloaded.profileName[0], "Mine");
  EXPECT_EQ(reloaded.currentProfile, 2);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ProfilesTest, ResetWithoutFactoryCopyShowsOneMessagePerSlot) {
  std::filesystem::remove(paths.factoryConfigFile);
  const std::string before = readFile(paths.configFile);
  EXPECT_FALSE(resetToFactory(s, paths, prompter));
  EXPECT_EQ(prompter.messages, std::vector<std::string>(4, "Error：ConfigReset.ini文件不存在!"));
  EXPECT_EQ(readFile(paths.configFile), before);  // the unchanged record was written back
}

TEST_F(ProfilesTest, ExportThenImportLeavesTheFileUnchanged) {
  const std::string before = readFile(paths.configFile);
  const auto exported = dir / "exported.ini";
  EXPECT_EQ(exportProfile(paths, exported, prompter), TransferResult::Ok);
  EXPECT_EQ(readFile(exported), before);
  EXPECT_EQ(importProfile(s, paths, exported, prompter), TransferResult::Ok);
  EXPECT_EQ(readFile(paths.configFile), before);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ProfilesTest, ExportFailuresSayError) {
  EXPECT_EQ(exportProfile(paths, dir / "missing-folder" / "x.ini", prompter), TransferResult::Error);
  std::filesystem::create_directories(dir / "a-folder");
  EXPECT_EQ(exportProfile(paths, dir / "a-folder", prompter), TransferResult::Error);
  EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Error!", "Error!"}));
}

TEST_F(ProfilesTest, ImportOfAMissingFileChangesNothing) {
  const std::string before = readFile(paths.configFile);
  EXPECT_EQ(importProfile(s, paths, dir / "nope.ini", prompter), TransferResult::Error);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"Error!"});
  EXPECT_EQ(readFile(paths.configFile), before);
}

// Import and reset on a read-only or full configuration folder: refused with a message, the
// record and config.ini as they were, no temporary file left.
TEST_F(ProfilesTest, ImportAndResetOnAReadOnlyOrFullFolderChangeNothing) {
  const auto source = dir / "other.ini";
  writeFile(source, "[Init]\nConfigName1_EN=A\nConfigName2_EN=B\nConfigName3_EN=C\n[Config0]\nK1=9\n");
  ASSERT_TRUE(ProfileFile(paths.configFile).writeInt("Config0", "K1", 33));  // so a reset has to write
  const std::string before = readFile(paths.configFile);
  const auto entries = test::folderEntries(paths.configFolder);
  const SettingsRecord loaded = s;
  for (const ReplaceFault& fault : {test::readOnlyFolder(), test::diskFull(0), test::diskFull(64)}) {
    SCOPED_TRACE(fault.bytesBeforeFull);
    prompter.messages.clear();
    test::ScopedReplaceFault inForce(fault);
    EXPECT_EQ(importProfile(s, paths, source, prompter), TransferResult::Error);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"Error!"});
    EXPECT_EQ(s.buttonFunction, loaded.buttonFunction);
    EXPECT_EQ(s.profileName, loaded.profileName);
    prompter.messages.clear();
    EXPECT_FALSE(resetToFactory(s, paths, prompter));
    EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kConfigNotWrittenMessage)});
    EXPECT_EQ(readFile(paths.configFile), before);
    EXPECT_EQ(test::folderEntries(paths.configFolder), entries);
    s = loaded;
  }
}

// A file far past any configuration's size is refused unread; a binary one is no configuration.
TEST_F(ProfilesTest, ImportOfAHugeOrBinaryFileKeepsTheUsersFile) {
  const std::string before = readFile(paths.configFile);
  const auto huge = dir / "huge.ini";
  writeFile(huge, "[Init]\nConfigName1=A\n");
  std::filesystem::resize_file(huge, kMaxDataFileBytes + 1);  // sparse
  EXPECT_EQ(importProfile(s, paths, huge, prompter), TransferResult::Error);
  const auto binary = dir / "photo.ini";
  std::string bytes("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11);
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(i * 37 % 256);
  writeFile(binary, bytes);
  EXPECT_EQ(importProfile(s, paths, binary, prompter), TransferResult::FileVersionError);
  EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Error!", "File version error!"}));
  EXPECT_EQ(readFile(paths.configFile), before);
}

TEST_F(ProfilesTest, ImportWithoutTheCurrentLanguagesNamesStillLoadsTheSlots) {
  s.language = 1;
  const auto source = dir / "other-language.ini";
  writeFile(source,
            "[Init]\nConfigName1=A\nConfigName2=B\nConfigName3=C\n[Config0]\nK0=1\nK1=9\n[ShareData]\nFIRE_TIME=80\n");
  EXPECT_EQ(importProfile(s, paths, source, prompter), TransferResult::FileVersionError);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"File version error!"});
  EXPECT_EQ(s.profileName[0], "Profile 1");  // names kept
  EXPECT_EQ(s.buttonFunction[0][1], 9);      // slots loaded
  EXPECT_EQ(s.fireTime, 80);
  EXPECT_EQ(readFile(paths.configFile), readFile(source));  // the copied file stays
}

TEST_F(ProfilesTest, ImportCutsNamesToNineCharacters) {
  s.language = 0;
  const auto source = dir / "long-names.ini";
  writeFile(source, "[Init]\nConfigName1=Fourteen chars\nConfigName2=B\nConfigName3=C\n");
  EXPECT_EQ(importProfile(s, paths, source, prompter), TransferResult::Ok);
  EXPECT_EQ(s.profileName[0], "Fourteen ");
  SettingsRecord atStartup;
  ASSERT_TRUE(loadAtStartup(atStartup, paths, prompter));
  EXPECT_EQ(atStartup.profileName[0], "Fourteen chars");  // start-up reads with a larger buffer
}

}  // namespace
}  // namespace tarvosk
