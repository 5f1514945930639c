#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "skin/layout_value.h"

namespace tarvosk {
namespace {

struct SplitCase {
  const char* name;
  std::string value;
  LayoutFields fields;
  bool tooManyCommas;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitLayoutValueTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLayoutValueTest, SplitsIntoSevenFields) {
  const SplitCase& c = GetParam();
  const SplitLayoutValue split = splitLayoutValue(c.value);
  EXPECT_EQ(split.fields, c.fields);
  EXPECT_EQ(split.tooManyCommas, c.tooManyCommas);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SplitLayoutValueTest,
    ::testing::Values(
        SplitCase{"WellFormedWithEmptyTail",
                  "apply,10,20,30,40,Apply,",
                  {"apply", "10", "20", "30", "40", "Apply", ""},
                  false},
        SplitCase{"TailIsKeptInFieldSix", "a,1,2,3,4,Cap,note", {"a", "1", "2", "3", "4", "Cap", "note"}, false},
        SplitCase{"SevenCommasCutTheCaption", "a,1,2,3,4,Save,as,", {"a", "1", "2", "3", "4", "Save", "as,"}, true},
        SplitCase{"NoCommaIsFieldZero", "Left click", {"Left click", "", "", "", "", "", ""}, false},
        SplitCase{"EmptyValue", "", {"", "", "", "", "", "", ""}, false},
        SplitCase{"FewCommasLeaveLaterFieldsEmpty", "a,1,2", {"a", "1", "2", "", "", "", ""}, false},
        SplitCase{"GeometryWithoutCaption", "a,1,2,3,4", {"a", "1", "2", "3", "4", "", ""}, false},
        SplitCase{"EmptyFieldsBetweenCommas", ",,,,,,", {"", "", "", "", "", "", ""}, false},
        SplitCase{"MultibyteCaption", "x,1,2,3,4,Gravação ,", {"x", "1", "2", "3", "4", "Gravação ", ""}, false}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvosk
