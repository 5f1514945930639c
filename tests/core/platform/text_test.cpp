#include <gtest/gtest.h>

#include "platform/text.h"

namespace tarvosk {
namespace {

TEST(Wtoi, ConvertsLikeTheLenientDecimalConversion) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"", 0},        {"12", 12},          {"  7x", 7},     {"-3", -3},       {"+4", 4},
      {"abc", 0},     {"\t 15 ", 15},      {"- 5", 0},      {"0012", 12},     {"99999999999", 2147483647},
      {"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(wtoi(c.text), c.value) << '"' << c.text << '"';
}

TEST(Utf16, CountsAndCutsInUtf16Units) {
  EXPECT_EQ(utf16Length("abc"), 3u);
  EXPECT_EQ(utf16Length("ção"), 3u);
  EXPECT_EQ(utf16Length("\xF0\x9F\x98\x80"), 2u);  // one character outside the BMP
  EXPECT_EQ(truncateUtf16("Resposta do Botão", 4), "Resp");
  EXPECT_EQ(truncateUtf16("a\xF0\x9F\x98\x80", 2), "a");  // never splits a surrogate pair
  EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("Ilumimação")), "Ilumimação");
  EXPECT_EQ(sanitizeUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace tarvosk
