#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "platform/profile_file.h"
#include "settings/config_file.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::readFile;
using test::RecordingPrompter;
using test::ScratchDir;
using test::writeFile;

class ConfigFileTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), false);
  RecordingPrompter prompter;

  void writeConfig(std::string_view text) { writeFile(paths.configFile, text); }
  std::string config() { return readFile(paths.configFile); }
};

TEST_F(ConfigFileTest, SavingTheShippedFileReproducesItByteForByte) {
  std::filesystem::copy_file(test::shippedSkinsDir() / "config" / "config.ini", paths.configFile);
  SettingsRecord s;
  ASSERT_TRUE(loadAtStartup(s, paths, prompter));
  const std::string before = config();
  for (int slot = 0; slot < kProfileSlots; ++slot) ASSERT_TRUE(saveSlot(s, paths.configFile, slot));
  EXPECT_EQ(config(), before);
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ConfigFileTest, FileWrittenFromNothingFollowsTheWriteOrder) {
  SettingsRecord s;
  s.buttonFunction[1] = {11, 12, 13, 14, 15, 16};
  s.buttonFunction[3] = {31, 32, 33, 34, 35, 36};
  for (int slot = 0; slot < kProfileSlots; ++slot) ASSERT_TRUE(saveSlot(s, paths.configFile, slot));
  EXPECT_EQ(config(), readFile(test::testDataDir() / "config" / "written_from_nothing.ini"));
}

TEST_F(ConfigFileTest, LoadsValuesByTheirRules) {
  writeConfig(
      "[Init]\nCurConfig=2\nVER_SEL=256\nConfigName1=Perfil 1\nConfigName1_EN=Fourteen chars\n"
      "[Config2]\nK0=12345\nK1= 7x\nK5=-3\nK6=99\nLED_REACT_EN8=1\nLED_REACT_TYPE4=3\nWHEEL_STATUS=1\n"
      "[ShareData]\nDPI_SET_EN0=7\nDPI_SET_EN1=0\nDPI_SET0=300\nCYC_7COL_EN=37\nLED_TYPE_SW_EN1=1\n"
      "LED_TYPE_SW_EN9=42\nLED_FEATURE_SCOLOR=4\nUSB_SPEED=9\nLED_USER1_R=16\nLED_USER1_G=15\nLED_TYPE=265\n");
  SettingsRecord s;
  ASSERT_TRUE(loadAtStartup(s, paths, prompter));
  EXPECT_EQ(s.currentProfile, 2);
  EXPECT_EQ(s.language, 0);
  EXPECT_EQ(s.profileName[0], "Perfil 1");
  EXPECT_EQ(s.buttonFunction[2], (std::array<int32_t, 6>{1234, 7, 0, 0, 0, -3}));  // buffer 5 keeps 4 digits
  EXPECT_EQ(s.ledReactEnable[2][8], 1);
  EXPECT_EQ(s.ledReactType[2][4], 3);
  EXPECT_EQ(s.wheelStatus, 0);  // slot 3 is loaded last and has no value
  EXPECT_EQ(s.dpiEnabled, (std::array<uint8_t, 4>{1, 0, 0, 0}));
  EXPECT_EQ(s.dpiValue[0], 300 & 0xFF);  // too wide for its field: low bits kept
  EXPECT_EQ(s.cycleColorEnable, (std::array<int32_t, 7>{1, 0, 1, 0, 0, 1, 0}));  // flag 5 from LED_TYPE_SW_EN1
  EXPECT_EQ(s.cycleColorMask, 37);
  EXPECT_EQ(s.ledSwitchSpare[6], 42);
  EXPECT_EQ(s.ledFeatureSColor, 0);
  EXPECT_EQ(s.usbRateCode, 7);
  EXPECT_EQ(s.usbIntervalMs, 8);
  EXPECT_EQ(s.ledUserColorRgb[1], 0xFF0FFFu);
  EXPECT_EQ(s.ledType, 9);
  EXPECT_EQ(s.fireTime, 0);  // a missing FIRE_TIME gives 0, not the fresh record's 50
}

TEST_F(ConfigFileTest, StartupKeepsIndexesInsideTheirTables) {
  const struct {
    const char* init;
    int32_t profile;
    int32_t language;
  } cases[] = {
      {"", 0, 0}, {"CurConfig=7\nVER_SEL=2\n", 0, 2}, {"CurConfig=-1\n", 0, 0}, {"CurConfig=3\nVER_SEL=257", 3, 1}};
  for (const auto& c : cases) {
    writeConfig(std::string("[Init]\n") + c.init);
    SettingsRecord s;
    ASSERT_TRUE(loadAtStartup(s, paths, prompter));
    EXPECT_EQ(s.currentProfile, c.profile) << c.init;
    EXPECT_EQ(s.language, c.language) << c.init;
  }
}

TEST_F(ConfigFileTest, SaveWritesNormalisedValuesAndCopiesTheNextSlotsKeys) {
  writeConfig("[ShareData]\nDPI_SET_EN0=7\nLED_FEATURE_SCOLOR=4\nLED_CYCTIME=4\nLED_CYC_TIME=1\n");
  SettingsRecord s;
  ASSERT_TRUE(loadAtStartup(s, paths, prompter));
  s.buttonFunction[1] = {21, 22, 23, 24, 25, 26};
  s.buttonFunction[2] = {41, 42, 43, 44, 45, 46};
  s.buttonFunction[3] = {61, 62, 63, 64, 65, 66};
  s.wheelStatus = 1;
  for (int slot = 0; slot < kProfileSlots; ++slot) ASSERT_TRUE(saveSlot(s, paths.configFile, slot));
  const IniDocument doc = *IniDocument::load(paths.configFile);
  EXPECT_EQ(doc.value("ShareData", "DPI_SET_EN0"), "1");
  EXPECT_EQ(doc.value("ShareData", "LED_FEATURE_SCOLOR"), "0");
  EXPECT_EQ(doc.value("ShareData", "LED_CYCTIME"), "4");
  EXPECT_EQ(doc.value("ShareData", "LED_CYC_TIME"), "4");
  const char* expectedK6to8[4][3] = {{"21", "22", "23"}, {"41", "42", "43"}, {"61", "62", "63"}, {"0", "0", "0"}};
  for (int slot = 0; slot < kProfileSlots; ++slot) {
    const std::string section = "Config" + std::to_string(slot);
    EXPECT_EQ(doc.value(section, "WHEEL_STATUS"), "1") << section;
    for (int n = 6; n < 9; ++n) EXPECT_EQ(doc.value(section, "K" + std::to_string(n)), expectedK6to8[slot][n - 6]);
  }
}

TEST_F(ConfigFileTest, SaveDpiLevelChangesOnlyItsLine) {
  std::filesystem::copy_file(test::shippedSkinsDir() / "config" / "config.ini", paths.configFile);
  const std::string before = config();
  SettingsRecord s;
  s.dpiLevel = 3;
  ASSERT_TRUE(saveDpiLevel(s, paths.configFile));
  std::string expected = before;
  const std::size_t at = expected.find("DPI_LEVEL=1\n");
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, 12, "DPI_LEVEL=3\n");
  EXPECT_EQ(config(), expected);
}

TEST_F(ConfigFileTest, SaveCurrentProfileChangesOnlyItsLine) {
  std::filesystem::copy_file(test::shippedSkinsDir() / "config" / "config.ini", paths.configFile);
  const std::string before = config();
  // Everything else in the record differs from the file; none of it may be written.
  SettingsRecord s;
  s.currentProfile = 2;
  s.dpiLevel = 3;
  s.language = 0;
  s.profileName = {"A", "B", "C"};
  s.buttonFunction[0][0] = 25;
  ASSERT_TRUE(saveCurrentProfile(s, paths.configFile));
  std::string expected = before;
  const std::size_t at = expected.find("CurConfig=0\n");
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, 12, "CurConfig=2\n");
  EXPECT_EQ(config(), expected);
}

TEST_F(ConfigFileTest, MissingSectionGivesZerosWhileSharedValuesLoad) {
  writeConfig("[Config0]\nK0=1\n[ShareData]\nFIRE_TIME=120\n");
  SettingsRecord s;
  s.buttonFunction[2] = {9, 9, 9, 9, 9, 9};
  s.ledReactEnable[2].fill(1);
  ASSERT_TRUE(loadSlot(s, paths, 2, ConfigSource::Current, prompter));
  EXPECT_EQ(s.buttonFunction[2], (std::array<int32_t, 6>{}));
  EXPECT_EQ(s.ledReactEnable[2], (std::array<int32_t, 9>{}));
  EXPECT_EQ(s.fireTime, 120);
}

TEST_F(ConfigFileTest, MissingFilesShowTheirMessageAndChangeNothing) {
  SettingsRecord s;
  s.fireTime = 77;
  EXPECT_FALSE(loadSlot(s, paths, 0, ConfigSource::Current, prompter));
  EXPECT_FALSE(loadSlot(s, paths, 0, ConfigSource::Factory, prompter));
  EXPECT_FALSE(loadAtStartup(s, paths, prompter));
  EXPECT_EQ(prompter.messages,
            (std::vector<std::string>{"Error：Config.ini文件不存在!", "Error：ConfigReset.ini文件不存在!",
                                      "Error：Config.ini文件不存在!"}));
  EXPECT_EQ(s.fireTime, 77);
  writeConfig("[Init]\n");
  EXPECT_FALSE(loadSlot(s, paths, 4, ConfigSource::Current, prompter));
  EXPECT_FALSE(saveSlot(s, paths.configFile, -1));
}

TEST_F(ConfigFileTest, ReportsValuesThatAreNotNumbers) {
  writeConfig("[Init]\nCurConfig=two\n[Config1]\nK3=12abc\nK4= 5 \n[ShareData]\nFIRE_TIME=\nUnknown=x\n");
  const auto malformed = findMalformedValues(*IniDocument::load(paths.configFile));
  std::vector<std::string> keys;
  for (const auto& m : malformed) keys.push_back(m.section + "/" + m.key + "=" + m.value);
  EXPECT_EQ(keys, (std::vector<std::string>{"Init/CurConfig=two", "Config1/K3=12abc", "ShareData/FIRE_TIME="}));
}

// Hand-edited, truncated or random files load without crashing and keep indexes valid.
TEST_F(ConfigFileTest, SurvivesRandomFiles) {
  std::mt19937 rng(99);
  const std::string shipped = readFile(test::shippedSkinsDir() / "config" / "config.ini");
  for (int round = 0; round < 300; ++round) {
    std::string bytes = shipped.substr(0, 1 + rng() % shipped.size());
    for (int i = 0; i < 20; ++i) bytes[rng() % bytes.size()] = static_cast<char>(rng());
    writeConfig(bytes);
    SettingsRecord s;
    if (loadAtStartup(s, paths, prompter)) {
      EXPECT_GE(s.currentProfile, 0);
      EXPECT_LT(s.currentProfile, kProfileSlots);
    }
  }
}

}  // namespace
}  // namespace tarvosk
