// What the listener makes of input report 6.

#include "device/input_report.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvosk {
namespace {

using Bytes = std::vector<uint8_t>;

InputOutcome apply(ListenerFlags& f, Bytes r) { return applyInputReport(f, r); }

TEST(InputReport, AReportWithAnotherIdIsIgnoredWhateverItSays) {
  for (const Bytes& r :
       {Bytes{5, 0xF1, 0x00}, Bytes{0, 0x03, 0}, Bytes{7, 0x01, 0}, Bytes{6}, Bytes{}, Bytes{6, 0xF1}}) {
    ListenerFlags f;
    EXPECT_EQ(apply(f, r).action, InputAction::None);
    EXPECT_FALSE(f.buttonJob);
    EXPECT_FALSE(f.pressPending);
    EXPECT_EQ(f.lastButton, 0);
  }
  ListenerFlags f;
  EXPECT_EQ(apply(f, {6, 0xF0, 0x00}).action, InputAction::None);
  EXPECT_FALSE(f.pressPending);
}

struct ButtonCase {
  const char* name;
  uint8_t state;
  bool press;
  bool dpi;
  uint8_t level;
};

class ButtonState : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonState, IsAPressOrReleaseAndMayCarryADpiLevel) {
  const ButtonCase& c = GetParam();
  ListenerFlags f;
  EXPECT_EQ(apply(f, {6, 0xF3, c.state}).action, InputAction::Buttons);
  EXPECT_EQ(f.pressPending, c.press);
  EXPECT_EQ(f.releasePending, !c.press);
  EXPECT_EQ(f.buttonJob, c.press);
  EXPECT_EQ(f.dpiReportPending, c.dpi);
  EXPECT_EQ(f.reportedDpiLevel, c.level);
  EXPECT_EQ(f.lastButton, 0xF3);
}

INSTANTIATE_TEST_SUITE_P(Cases, ButtonState,
                         ::testing::Values(ButtonCase{"release_is_also_the_first_level", 0x80, false, true, 0},
                                           ButtonCase{"plain_press", 0x00, true, false, 0},
                                           ButtonCase{"press_with_level_2", 0x82, true, true, 2},
                                           ButtonCase{"press_with_level_7", 0x8F, true, true, 7},
                                           ButtonCase{"press_other_bits", 0x41, true, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InputReport, ASecondPressWhileTheJobIsPendingIsDropped) {
  ListenerFlags f;
  apply(f, {6, 0xF2, 0x00});
  apply(f, {6, 0xF5, 0x00});
  EXPECT_TRUE(f.buttonJob);
  EXPECT_EQ(f.lastButton, 0xF2);  // the job still belongs to the first press
  EXPECT_TRUE(f.pressPending);
  apply(f, {6, 0xF5, 0x80});
  EXPECT_FALSE(f.pressPending);
  EXPECT_TRUE(f.releasePending);
  EXPECT_EQ(f.lastButton, 0xF5);
}

TEST(InputReport, TheDpiLevelComesFromTheLatestReportThatCarriesOne) {
  ListenerFlags f;
  apply(f, {6, 0xF4, 0x81});
  apply(f, {6, 0xF4, 0x83});
  EXPECT_EQ(f.reportedDpiLevel, 3);
  // Exactly 0x80 is a release and the first level at once: a DPI button switching to level 0
  // sends nothing else.
  apply(f, {6, 0xF4, 0x80});
  EXPECT_TRUE(f.dpiReportPending);
  EXPECT_EQ(f.reportedDpiLevel, 0);
  EXPECT_TRUE(f.releasePending);
  // A press without a level clears the pending flag.
  apply(f, {6, 0xF1, 0x00});
  EXPECT_FALSE(f.dpiReportPending);
}

TEST(InputReport, ProfileChangeAsksForAReload) {
  ListenerFlags f;
  EXPECT_EQ(apply(f, {6, 0x03, 0x00}).action, InputAction::ProfileChanged);
}

TEST(InputReport, BallisticStepsFollowTheLastDirectionAndStartDownward) {
  ListenerFlags f;
  const std::vector<std::pair<uint8_t, int>> steps = {{0x00, 0}, {0x50, 0}, {0x01, 1}, {0x00, 1},
                                                      {0xEF, 1}, {0x04, 1}, {0x02, 0}, {0x7F, 0}};
  for (const auto& [code, direction] : steps) {
    const InputOutcome o = apply(f, {6, code, 0x00});
    EXPECT_EQ(o.action, InputAction::BallisticStep) << int{code};
    EXPECT_EQ(o.direction, direction) << int{code};
  }
}

}  // namespace
}  // namespace tarvosk
