#include "device/dpi_step.h"

#include <gtest/gtest.h>

namespace tarvosk {
namespace {

struct DpiStepCase {
  const char* name;
  int level;
  bool up;
  uint8_t mask;
  int expected;
};

TEST(DpiLevelAfterStep, MovesToTheNextEnabledLevelAndStopsAtTheEnds) {
  const DpiStepCase cases[] = {
      {"up from 0, all enabled", 0, true, 0x0F, 1},
      {"down from 2, all enabled", 2, false, 0x0F, 1},
      {"up at the top stays", 3, true, 0x0F, 3},
      {"down at the bottom stays", 0, false, 0x0F, 0},
      {"up skips disabled levels", 0, true, 0b1001, 3},
      {"down skips disabled levels", 3, false, 0b0101, 2},
      {"up with nothing enabled above stays", 1, true, 0b0011, 1},
      {"a disabled current level still steps", 1, true, 0b1101, 2},
      {"an empty mask counts as all enabled", 1, true, 0x00, 2},
      {"bits above level 3 are ignored", 2, true, 0xF3, 2},
      {"mask of only high bits counts as all enabled", 0, true, 0xF0, 1},
      {"levels 4 and 5 step down from 3", 5, false, 0x0F, 2},
      {"a negative level counts as 0", -4, true, 0x0F, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(dpiLevelAfterStep(c.level, c.up, c.mask), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace tarvosk
