#include <gtest/gtest.h>

#include <iterator>

#include "macro/event_text.h"
#include "settings/language.h"

namespace tarvosk {
namespace {

void addEvent(MacroRecord& m, uint8_t t, uint8_t c, uint16_t a = 0, uint16_t b = 0, uint16_t delay = 0) {
  const auto i = m.eventCount++;
  m.eventType[i] = t;
  m.eventCode[i] = c;
  m.eventParamA[i] = a;
  m.eventParamB[i] = b;
  m.eventDelay[i] = delay;
}

TEST(EventText, ShowsEveryKindWithItsFallbacks) {
  const struct {
    uint8_t type, code;
    uint16_t a, b;
    const char* text;
  } cases[] = {
      {0, 0x00, 0, 0, "[Delay]"},
      {1, 0x04, 0, 0, "[↓]A"},
      {2, 0x04, 0, 0, "[↑]A"},
      {7, 0x04, 0, 0, "A"},
      {1, 0xF1, 0, 0, "[↓]L-KEY"},
      {2, 0xF3, 0, 0, "[↑]R-KEY"},
      {1, 0x32, 0, 0, "[↓]Unkown"},
      {1, 0xF7, 0, 0, "[↓]Unkown"},
      {3, 0xF6, 5, 3, "[X-]:5,[Y-]:3"},
      {4, 0xF6, 5, 3, "[X-]:5,[Y+]:3"},
      {5, 0xF6, 100, 0, "[X+]:100,[Y-]:0"},
      {6, 0xF6, 1, 2, "[X+]:1,[Y+]:2"},
      {7, 0xF6, 1, 2, "[X]:eeror,[Y]:eeror"},
      {9, 0xF8, 1, 0, "[DPI]:200 "},
      {9, 0xF8, 4, 0, "[DPI]:800 "},
      {9, 0xF8, 8, 0, "[DPI]:1600 "},
      {9, 0xF8, 12, 0, "[DPI]:2400 "},
      {9, 0xF8, 15, 0, "[DPI]:4800 "},
      {9, 0xF8, 99, 0, "[DPI]:800 "},
      {10, 0xF8, 0, 0, "[DPI]:返回执行前的值"},
      {11, 0xF8, 0, 0, "[DPI]:状态Error"},
      {13, 0xF9, 0, 0, "[LED0]:LED-0 Data"},
      {14, 0xF9, 3, 0, "[LED1]:LED-3 Data"},
      {15, 0xF9, 700, 0, "[LED2]:LED-700 Data"},
      {12, 0xF9, 0, 0, "[LED0/1/2]:error"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(eventText(c.type, c.code, c.a, c.b, kLanguageEnglish), c.text) << c.text;
  }
  EXPECT_EQ(eventText(1, 0x33, 0, 0, kLanguageEnglish), "[↓];:");
  EXPECT_EQ(eventText(1, 0x33, 0, 0, kLanguageSecond), "[↓]ç");
}

TEST(EventText, EverySensitivityLevelShowsItsValueInBothLanguages) {
  const char* const texts[] = {
      "[DPI]:800 ",  "[DPI]:200 ",  "[DPI]:400 ",  "[DPI]:600 ",  "[DPI]:800 ",  "[DPI]:1000 ",
      "[DPI]:1200 ", "[DPI]:1600 ", "[DPI]:1600 ", "[DPI]:2000 ", "[DPI]:2000 ", "[DPI]:2400 ",
      "[DPI]:2400 ", "[DPI]:3200 ", "[DPI]:4000 ", "[DPI]:4800 ", "[DPI]:800 ",
  };
  for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
    for (uint16_t level = 0; level < std::size(texts); ++level) {
      EXPECT_EQ(eventText(type::kDpiSet, code::kDpi, level, 0, language), texts[level]) << "level " << level;
    }
    EXPECT_EQ(eventText(type::kDpiSet, code::kDpi, 65535, 0, language), "[DPI]:800 ");
  }
}

TEST(EventText, PutsAPauseLineBetweenEvents) {
  MacroRecord m;
  addEvent(m, type::kPress, 0x04, 0, 0, 120);
  EXPECT_EQ(eventListLines(m, kLanguageEnglish), std::vector<std::string>{"[↓]A"});
  addEvent(m, type::kRelease, 0x04, 0, 0, 7);
  addEvent(m, type::kPause, code::kPause, 0, 0, 9);
  EXPECT_EQ(eventListLines(m, kLanguageEnglish),
            (std::vector<std::string>{"[↓]A", "    120ms", "[↑]A", "    7ms", "[Delay]"}));
  EXPECT_EQ(eventLineText(m, 3, kLanguageEnglish), "");
  EXPECT_EQ(eventLineText(m, -1, kLanguageEnglish), "");
}

TEST(EventText, LedProgramLinesFollowTheStepCountAndLanguage) {
  LedProgram p;
  EXPECT_EQ(ledProgramLines(p, kLanguageEnglish), std::vector<std::string>{"[Len     ]:0"});
  p.bytes[0] = 2;
  p.bytes[LedProgram::modeByte(0)] = 1;
  p.bytes[LedProgram::colorByte(0)] = 5;
  p.bytes[LedProgram::onTimeByte(0)] = 10;
  p.bytes[LedProgram::gapTimeByte(0)] = 0;
  p.bytes[LedProgram::modeByte(1)] = 200;  // past the six mode names
  p.bytes[LedProgram::colorByte(1)] = 2;
  EXPECT_EQ(ledProgramLines(p, kLanguageEnglish),
            (std::vector<std::string>{"[Len     ]:2", "[Mode]:Cycle breath", "[Light color]:Red",
                                      "[Continued Time]:10*100ms", "[Interval Time]:0*100ms", "[Mode]:200",
                                      "[Light color]:2", "[Continued Time]:0*100ms", "[Interval Time]:0*100ms"}));
  const auto second = ledProgramLines(p, kLanguageSecond);
  ASSERT_EQ(second.size(), 9u);
  EXPECT_EQ(second[0], "[个数     ]:2");
  EXPECT_EQ(second[1], "[模式]:Ciclo breath");
  EXPECT_EQ(second[2], "[灯光颜色]:红色");
  EXPECT_EQ(second[3], "[持续时间]:10*100ms");
  EXPECT_EQ(second[4], "[间隔时间]:0*100ms");
}

TEST(EventText, LightingLookupsAreSafeForEveryByte) {
  LedProgram p;
  for (int v = 0; v < 256; ++v) {
    p.bytes.fill(static_cast<uint8_t>(v));
    for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
      const auto lines = ledProgramLines(p, language);
      // The step count is clipped to what the 68 bytes hold: at most 16 steps of four lines.
      EXPECT_EQ(lines.size(), 1u + 4u * static_cast<unsigned>(std::min(v, 16)));
      EXPECT_FALSE(ledStepModeName(static_cast<uint8_t>(v), language).empty());
      EXPECT_FALSE(ledColorName(static_cast<uint8_t>(v), language).empty());
    }
  }
  EXPECT_EQ(ledColorName(0, kLanguageEnglish), "Cycle");
  EXPECT_EQ(ledColorName(1, kLanguageSecond), "蓝色");
  EXPECT_EQ(ledColorName(3, kLanguageEnglish), "Pink");
  EXPECT_EQ(ledColorName(7, kLanguageSecond), "紫色");
  EXPECT_EQ(ledStepModeName(5, kLanguageEnglish), "Cycle breath");
  EXPECT_EQ(ledStepModeName(6, kLanguageEnglish), "6");
}

}  // namespace
}  // namespace tarvosk
