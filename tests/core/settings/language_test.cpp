#include <gtest/gtest.h>

#include "settings/language.h"

namespace tarvosk {
namespace {

TEST(Language, LowByteOfVerSel) {
  EXPECT_EQ(languageFromVerSel(256), 0);  // second language
  EXPECT_TRUE(isEnglish(languageFromVerSel(2)));
  EXPECT_TRUE(isEnglish(languageFromVerSel(1)));
  EXPECT_FALSE(isEnglish(languageFromVerSel(0)));
  EXPECT_TRUE(isEnglish(languageFromVerSel(-1)));
}

TEST(Language, LightingModeCaptions) {
  const struct {
    int32_t language;
    int ledType;
    const char* caption;
  } cases[] = {
      {1, 0, "DPI breath"}, {1, 1, "Cycle breath"},       {1, 2, "Constantly"},     {1, 8, "Button response"},
      {1, 9, "Mute"},       {0, 9, "Mudo "},              {0, 0, "Ilumimação breath"}, {0, 8, "Resposta do Botão"},
      {1, 5, "item"},       {0, 3, "item"},               {1, 255, "item"},
  };
  for (const auto& c : cases) EXPECT_EQ(ledModeCaption(c.language, c.ledType, "item"), c.caption) << c.ledType;
  EXPECT_EQ(ledModeNames(1)[5], "Cycle breath");
  EXPECT_EQ(ledModeNames(0)[5], "Ciclo breath");
}

TEST(Language, ProfileNameKeys) {
  EXPECT_EQ(profileNameKey(0, 1), "ConfigName1");
  EXPECT_EQ(profileNameKey(1, 3), "ConfigName3_EN");
  EXPECT_EQ(profileNameKey(7, 2), "ConfigName2_EN");
}

}  // namespace
}  // namespace tarvosk
