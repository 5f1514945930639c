#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "window/slider_rules.h"

namespace tarvosk {
namespace {

struct SliderCase {
  const char* name;
  int32_t offset;
  int32_t width;
  int32_t expected;
};

TEST(DpiSlider, TwelveStepsWithAnEasierTopStep) {
  const SliderCase cases[] = {
      {"left end", 0, 300, 0},
      {"end of the first twelfth", 24, 300, 0},
      {"second twelfth", 25, 300, 1},
      {"last pixel before the correction", 264, 300, 10},
      {"first corrected pixel", 265, 300, 11},
      {"formula's own top step", 275, 300, 11},
      {"right end", 299, 300, 11},
      {"narrow bar reaches 11 by the formula", 199, 200, 11},
      {"narrow bar stays at 10 below the correction offset", 180, 200, 10},
  };
  for (const SliderCase& c : cases) EXPECT_EQ(dpiSliderStep(c.offset, c.width), c.expected) << c.name;
}

TEST(SpeedSlider, NeverGivesZeroAndReachesTenAtTheRightEnd) {
  const SliderCase cases[] = {
      {"leftmost pixel", 0, 180, 1},
      {"end of the first tenth", 17, 180, 1},
      {"second tenth", 18, 180, 2},
      {"ninth before the correction", 159, 180, 9},
      {"ninth corrected", 160, 180, 10},
      {"right end", 179, 180, 10},
      {"wide bar: nine below 160 stays nine", 150, 170, 9},
  };
  for (const SliderCase& c : cases) EXPECT_EQ(speedSliderValue(c.offset, c.width), c.expected) << c.name;
}

TEST(FireTimeSlider, ReachesThreeHundredOnlyByTheRightEndRule) {
  const SliderCase cases[] = {
      {"left end", 0, 180, 0},
      {"middle", 90, 180, 150},
      {"just before the end", 178, 180, 296},
      {"right end of 180 pixels", 179, 180, 300},
      {"200 pixels at 199 gives 298, then 300", 199, 200, 300},
      {"200 pixels at 198", 198, 200, 297},
      {"narrow bar: 298 left of offset 173 stays", 171, 172, 298},
  };
  for (const SliderCase& c : cases) EXPECT_EQ(fireTimeSliderValue(c.offset, c.width), c.expected) << c.name;
}

TEST(LedSliders, BrightnessFallsAndSpeedRisesAcrossTheBar) {
  EXPECT_EQ(ledBrightnessSliderValue(0, 372), 6);
  EXPECT_EQ(ledBrightnessSliderValue(53, 372), 6);
  EXPECT_EQ(ledBrightnessSliderValue(54, 372), 5);
  EXPECT_EQ(ledBrightnessSliderValue(371, 372), 0);
  EXPECT_EQ(ledSpeedSliderValue(0, 372), 0);
  EXPECT_EQ(ledSpeedSliderValue(62, 372), 1);
  EXPECT_EQ(ledSpeedSliderValue(371, 372), 5);
}

TEST(SliderOffset, IsClampedToTheBarAndEmptyWithoutWidth) {
  LayoutItem bar;
  bar.x = 100;
  bar.width = 50;
  bar.height = 10;
  EXPECT_EQ(sliderOffset(bar, 100), 0);
  EXPECT_EQ(sliderOffset(bar, 149), 49);
  EXPECT_EQ(sliderOffset(bar, 90), 0) << "left of the bar: a stale hover, not a huge unsigned offset";
  EXPECT_EQ(sliderOffset(bar, 400), 49);
  EXPECT_EQ(sliderOffset(bar, INT32_MIN), 0);
  bar.width = 0;
  EXPECT_EQ(sliderOffset(bar, 100), std::nullopt);
  bar.width = -20;
  EXPECT_EQ(sliderOffset(bar, 100), std::nullopt);
}

TEST(SliderValues, StayInRangeForHugeAndDegenerateBars) {
  // A hand-edited file may give any width; the products must not overflow or leave the range.
  EXPECT_EQ(dpiSliderStep(INT32_MAX - 1, INT32_MAX), 11);
  EXPECT_EQ(speedSliderValue(INT32_MAX - 1, INT32_MAX), 10);
  EXPECT_EQ(fireTimeSliderValue(INT32_MAX - 1, INT32_MAX), 300);
  EXPECT_EQ(ledBrightnessSliderValue(INT32_MAX - 1, INT32_MAX), 0);
  EXPECT_EQ(ledSpeedSliderValue(INT32_MAX - 1, INT32_MAX), 5);
  // Offsets beyond the bar count as its last pixel.
  EXPECT_EQ(dpiSliderStep(5000, 300), 11);
  EXPECT_EQ(ledBrightnessSliderValue(5000, 372), 0);
  // A one-pixel bar gives the bottom value.
  EXPECT_EQ(dpiSliderStep(0, 1), 0);
  EXPECT_EQ(speedSliderValue(0, 1), 1);
}

}  // namespace
}  // namespace tarvosk
