#include <gtest/gtest.h>

#include "window/window_rules.h"

namespace tarvosk {
namespace {

TEST(BaseFontSize, MatchesOnlyTheCommonScalings) {
  struct Case {
    const char* name;
    double dpi;
    int tenths;
  };
  const Case cases[] = {
      {"96 ppi", 96, 85},   {"120 ppi", 120, 63},
      {"144 ppi", 144, 53}, {"168 ppi", 168, 43},
      {"192 ppi", 192, 43}, {"110 ppi matches nothing", 110, 30},
      {"72 ppi", 72, 30},   {"288 ppi", 288, 30},
      {"zero", 0, 30},      {"fractional 96.5", 96.5, 30},
  };
  for (const Case& c : cases) EXPECT_EQ(baseFontSizeTenths(c.dpi), c.tenths) << c.name;
}

TEST(BaseFontSize, TheLargeFontIsOnePointBigger) {
  EXPECT_EQ(largeFontSizeTenths(baseFontSizeTenths(120)), 73);
  EXPECT_EQ(largeFontSizeTenths(baseFontSizeTenths(96)), 95);
}

TEST(StartsMinimised, LooksAtTheTextAfterTheLastDashOnly) {
  struct Case {
    const char* name;
    const char* commandLine;
    bool minimised;
  };
  const Case cases[] = {
      {"ends with -HIDE", "/usr/bin/tarvosk -HIDE", true},
      {"lower case", "/usr/bin/tarvosk -hide", false},
      {"only four characters compared", "tarvosk -HIDEME", true},
      {"a later argument with a dash", "tarvosk -HIDE --verbose", false},
      {"a later dash inside an argument", "tarvosk -HIDE my-file", false},
      {"double dash", "tarvosk --HIDE", true},
      {"dash in the program path before it", "/opt/my-apps/tarvosk -HIDE", true},
      {"no dash, starts with HIDE", "HIDE", true},
      {"no dash at all", "tarvosk HIDE", false},
      {"dash in the path only", "/opt/my-apps/tarvosk", false},
      {"space after the dash", "tarvosk - HIDE", false},
      {"empty", "", false},
      {"a trailing dash", "tarvosk -HIDE -", false},
  };
  for (const Case& c : cases) EXPECT_EQ(startsMinimised(c.commandLine), c.minimised) << c.name;
}

}  // namespace
}  // namespace tarvosk
