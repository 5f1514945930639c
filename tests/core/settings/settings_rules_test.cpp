#include <gtest/gtest.h>

#include "settings/settings_rules.h"

namespace tarvosk {
namespace {

SettingsRecord withDpi(std::array<uint8_t, 4> enabled, int32_t level) {
  SettingsRecord s;
  s.dpiEnabled = enabled;
  s.dpiLevel = level;
  return s;
}

TEST(DpiRules, ToggleEnableKeepsAnEnabledActiveLevel) {
  const struct {
    const char* name;
    std::array<uint8_t, 4> enabled;
    int32_t level;
    int toggle;
    std::array<uint8_t, 4> expectEnabled;
    int32_t expectLevel;
  } cases[] = {
      {"switching on", {1, 0, 0, 0}, 0, 2, {1, 0, 1, 0}, 0},
      {"the only enabled level stays on", {0, 1, 0, 0}, 1, 1, {0, 1, 0, 0}, 1},
      {"active level hands over to the next", {1, 1, 1, 0}, 1, 1, {1, 0, 1, 0}, 2},
      {"hand-over wraps round", {1, 0, 0, 1}, 3, 3, {1, 0, 0, 0}, 0},
      {"inactive level switches off alone", {1, 1, 0, 0}, 0, 1, {1, 0, 0, 0}, 0},
      {"out of range does nothing", {1, 0, 0, 0}, 0, 4, {1, 0, 0, 0}, 0},
  };
  for (const auto& c : cases) {
    SettingsRecord s = withDpi(c.enabled, c.level);
    toggleDpiEnable(s, c.toggle);
    EXPECT_EQ(s.dpiEnabled, c.expectEnabled) << c.name;
    EXPECT_EQ(s.dpiLevel, c.expectLevel) << c.name;
  }
}

TEST(DpiRules, SelectOnlyEnabledLevels) {
  SettingsRecord s = withDpi({1, 0, 1, 0}, 0);
  selectDpiLevel(s, 1);
  EXPECT_EQ(s.dpiLevel, 0);
  selectDpiLevel(s, 2);
  EXPECT_EQ(s.dpiLevel, 2);
  selectDpiLevel(s, -1);
  selectDpiLevel(s, 9);
  EXPECT_EQ(s.dpiLevel, 2);
}

TEST(CycleColorRules, TheLastOfTheFirstFourCannotBeCleared) {
  SettingsRecord s;
  s.cycleColorEnable = {0, 1, 0, 0, 0, 1, 0};
  toggleCycleColor(s, 1);  // the last of flags 0..3
  EXPECT_EQ(s.cycleColorEnable[1], 1);
  toggleCycleColor(s, 5);  // counting only flags 0..3, there is one: flag 5 stays
  EXPECT_EQ(s.cycleColorEnable[5], 1);
  toggleCycleColor(s, 3);
  toggleCycleColor(s, 5);
  EXPECT_EQ(s.cycleColorEnable[5], 0);
  toggleCycleColor(s, 1);
  EXPECT_EQ(s.cycleColorEnable, (std::array<int32_t, 7>{0, 0, 0, 1, 0, 0, 0}));
  rebuildCycleColorMask(s);
  EXPECT_EQ(s.cycleColorMask, 0x08);
  s.cycleColorEnable = {1, 0, 1, 0, 0, 1, 1};
  rebuildCycleColorMask(s);
  EXPECT_EQ(s.cycleColorMask, 0x65);
}

TEST(ButtonRules, SlotZeroKeepsALeftClick) {
  const struct {
    const char* name;
    int32_t slot;
    std::array<int32_t, 6> before;
    int button;
    int32_t code;
    std::array<int32_t, 6> after;
  } cases[] = {
      {"left click moves to the next button", 0, {2, 3, 1, 4, 5, 6}, 2, 3, {2, 3, 3, 1, 5, 6}},
      {"button 5 keeps its left click", 0, {2, 3, 4, 5, 6, 1}, 5, 7, {2, 3, 4, 5, 6, 1}},
      {"another left click remains", 0, {1, 1, 3, 4, 5, 6}, 0, 9, {9, 1, 3, 4, 5, 6}},
      {"slot 2 takes anything", 2, {1, 2, 3, 4, 5, 6}, 0, 300, {300, 2, 3, 4, 5, 6}},
      {"slot 3 takes anything", 3, {1, 2, 3, 4, 5, 6}, 0, 0, {0, 2, 3, 4, 5, 6}},
  };
  for (const auto& c : cases) {
    SettingsRecord s;
    s.currentProfile = c.slot;
    s.buttonFunction[c.slot] = c.before;
    assignButtonFunction(s, c.button, c.code);
    EXPECT_EQ(s.buttonFunction[c.slot], c.after) << c.name;
  }
}

TEST(ButtonRules, OutOfRangeProfileEditsSlotZeroAndBadButtonsAreIgnored) {
  SettingsRecord s;
  s.currentProfile = 7;  // as a hand-edited file may have it
  s.buttonFunction[0] = {1, 2, 3, 4, 5, 6};
  assignButtonFunction(s, 6, 9);
  assignButtonFunction(s, -1, 9);
  assignButtonFunction(s, 1, 9);
  EXPECT_EQ(s.buttonFunction[0], (std::array<int32_t, 6>{1, 9, 3, 4, 5, 6}));
}

TEST(DerivedFields, UsbRateAndUserColours) {
  const struct {
    uint8_t rate, code;
    int32_t interval;
  } rates[] = {{3, 0, 1}, {2, 1, 2}, {1, 3, 4}, {0, 7, 8}, {9, 7, 8}};
  for (const auto& r : rates) {
    SettingsRecord s;
    setUsbRate(s, r.rate);
    EXPECT_EQ(s.usbRateCode, r.code) << int{r.rate};
    EXPECT_EQ(s.usbIntervalMs, r.interval) << int{r.rate};
  }
  EXPECT_EQ(userColorRgb(0, 15, 16), 0xFF0FFFu);  // 0 shows as 255, 15 as 15; 16 wraps round to 255
  EXPECT_EQ(userColorRgb(-1, 0, 0), 0xFFFF0Fu);   // the channel is taken modulo 256
  // Hand-edited values whose product with 16 leaves the int range still give their low byte.
  EXPECT_EQ(userColorRgb(134217728, INT32_MAX, INT32_MIN), 0xFF0FFFu);
}

TEST(DerivedFields, DesktopSpeeds) {
  const int expected[] = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 18, 18};
  for (int speed = 0; speed <= 11; ++speed) EXPECT_EQ(desktopPointerSpeed(speed), expected[speed]) << speed;
  EXPECT_EQ(desktopWheelLines(3), 4);
}

TEST(SafeIndexes, KeepValuesInsideTheirTables) {
  EXPECT_EQ(profileSlotIndex(2), 2);
  EXPECT_EQ(profileSlotIndex(7), 0);
  EXPECT_EQ(profileSlotIndex(-1), 0);
  EXPECT_EQ(dpiLevelIndex(3), 3);
  EXPECT_EQ(dpiLevelIndex(5), 0);
  EXPECT_EQ(dpiStepIndex(11), 11);
  EXPECT_EQ(dpiStepIndex(200), 11);
  EXPECT_EQ(slotForTab(1), 0);
  EXPECT_EQ(slotForTab(2), 2);
  EXPECT_EQ(slotForTab(3), 3);
  EXPECT_EQ(slotForTab(4), -1);
}

TEST(SettingsRecord, FreshRecordHasFireTime50AndZeroElsewhere) {
  const SettingsRecord s;
  EXPECT_EQ(s.fireTime, 50);
  EXPECT_EQ(s.currentProfile, 0);
  EXPECT_EQ(s.usbRateCode, 0);
  EXPECT_EQ(s.buttonFunction[3][5], 0);
}

}  // namespace
}  // namespace tarvosk
