// The LED page's colour-cycling preview.

#include "device/led_preview.h"

#include <gtest/gtest.h>

namespace tarvosk {
namespace {

using Flags = std::array<int32_t, kCycleColors>;

std::vector<int> shownOverPasses(LedPreviewState& state, uint8_t ledType, const Flags& enabled, int passes) {
  std::vector<int> shown;
  for (int i = 0; i < passes; ++i) {
    ledPreviewPass(state, ledType, enabled);
    shown.push_back(state.colorIndex);
  }
  return shown;
}

TEST(LedPreview, CyclingShowsOnlyEnabledColoursInOrderOneStepPerTwoPasses) {
  const Flags enabled = {0, 1, 0, 1, 0, 0, 1};
  LedPreviewState state;
  startLedPreview(state, enabled);
  EXPECT_EQ(state.colorIndex, 1);
  EXPECT_EQ(shownOverPasses(state, 1, enabled, 8), (std::vector<int>{1, 3, 3, 6, 6, 1, 1, 3}));
}

TEST(LedPreview, StartsOnColourZeroWhenItIsEnabled) {
  const Flags enabled = {1, 0, 1, 0, 0, 0, 0};
  LedPreviewState state;
  state.colorIndex = 4;
  startLedPreview(state, enabled);
  EXPECT_EQ(state.colorIndex, 0);
  EXPECT_EQ(shownOverPasses(state, 1, enabled, 4), (std::vector<int>{0, 2, 2, 0}));
}

TEST(LedPreview, AnotherModeSetsTheToggleSoCyclingAdvancesAtOnceAfterwards) {
  const Flags enabled = {1, 1, 1, 1, 1, 1, 1};
  LedPreviewState state;
  startLedPreview(state, enabled);
  EXPECT_EQ(shownOverPasses(state, 2, enabled, 3), (std::vector<int>{0, 0, 0}));
  EXPECT_TRUE(state.passToggle);
  EXPECT_EQ(shownOverPasses(state, 1, enabled, 3), (std::vector<int>{1, 1, 2}));
}

TEST(LedPreview, TheToggleSurvivesARestart) {
  const Flags enabled = {1, 1, 0, 0, 0, 0, 0};
  LedPreviewState state;
  ledPreviewPass(state, 1, enabled);  // sets the toggle
  startLedPreview(state, enabled);
  ledPreviewPass(state, 1, enabled);
  EXPECT_EQ(state.colorIndex, 1);
}

TEST(LedPreview, WithNoColourEnabledItStaysOnItsColourAndEnds) {
  const Flags none{};
  LedPreviewState state;
  startLedPreview(state, none);
  EXPECT_EQ(state.colorIndex, 0);
  EXPECT_EQ(shownOverPasses(state, 1, none, 4), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(nextCycleColor(3, none), std::nullopt);
}

TEST(LedPreview, ASingleEnabledColourIsItsOwnNext) {
  const Flags one = {0, 0, 0, 0, 1, 0, 0};
  EXPECT_EQ(nextCycleColor(4, one), 4);
  EXPECT_EQ(nextCycleColor(99, one), 4);  // an out-of-range index is clamped, not used
}

TEST(LedPreview, PassLengthFollowsTheSpeedAndNeverDropsToZero) {
  const std::vector<std::pair<uint8_t, int>> cases = {{0, 1200}, {3, 600}, {5, 200}, {6, 200}, {255, 200}};
  for (const auto& [speed, ms] : cases) EXPECT_EQ(ledPreviewPassMs(speed), ms) << int{speed};
}

}  // namespace
}  // namespace tarvosk
