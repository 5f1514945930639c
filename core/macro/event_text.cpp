#include "macro/event_text.h"

#include <cstdio>
#include <string_view>

#include "macro/key_tables.h"
#include "settings/language.h"

namespace tarvosk {

namespace {

std::string moveText(uint8_t eventType, uint16_t a, uint16_t b) {
  const char* format = nullptr;
  switch (eventType) {
    case type::kMoveLeftUp: format = "[X-]:%d,[Y-]:%d"; break;
    case type::kMoveLeftDown: format = "[X-]:%d,[Y+]:%d"; break;
    case type::kMoveRightUp: format = "[X+]:%d,[Y-]:%d"; break;
    case type::kMoveRightDown: format = "[X+]:%d,[Y+]:%d"; break;
    default: return "[X]:eeror,[Y]:eeror";
  }
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, format, a, b);
  return buffer;
}

std::string dpiText(uint8_t eventType, uint16_t level) {
  switch (eventType) {
    case type::kDpiSet: return "[DPI]:" + std::to_string(dpiLevelValue(level)) + " ";
    case type::kDpiReset: return "[DPI]:返回执行前的值";
    default: return "[DPI]:状态Error";
  }
}

std::string ledText(uint8_t eventType, uint16_t program) {
  const std::string data = ":LED-" + std::to_string(program) + " Data";
  switch (eventType) {
    case type::kLed0: return "[LED0]" + data;
    case type::kLed1: return "[LED1]" + data;
    case type::kLed2: return "[LED2]" + data;
    default: return "[LED0/1/2]:error";
  }
}

}  // namespace

std::string pauseLineText(uint16_t delayMs) { return "    " + std::to_string(delayMs) + "ms"; }

std::string eventText(uint8_t eventType, uint8_t eventCode, uint16_t paramA, uint16_t paramB, int32_t language) {
  switch (eventCode) {
    case code::kMove: return moveText(eventType, paramA, paramB);
    case code::kDpi: return dpiText(eventType, paramA);
    case code::kLed: return ledText(eventType, paramA);
    case code::kPause: return "[Delay]";
    default: break;
  }
  const std::string name = keyName(eventCode, language);
  if (eventType == type::kPress) return "[↓]" + name;
  if (eventType == type::kRelease) return "[↑]" + name;
  return name;
}

std::string eventLineText(const MacroRecord& m, int i, int32_t language) {
  if (i < 0 || i >= m.eventCount || i >= kMacroEvents) return {};
  const auto e = static_cast<std::size_t>(i);
  return eventText(m.eventType[e], m.eventCode[e], m.eventParamA[e], m.eventParamB[e], language);
}

std::vector<std::string> eventListLines(const MacroRecord& m, int32_t language) {
  std::vector<std::string> lines;
  const int count = m.eventCount < kMacroEvents ? m.eventCount : kMacroEvents;
  for (int i = 0; i < count; ++i) {
    if (i > 0) lines.push_back(pauseLineText(m.eventDelay[static_cast<std::size_t>(i - 1)]));
    lines.push_back(eventLineText(m, i, language));
  }
  return lines;
}

int dpiLevelValue(int level) {
  switch (level) {
    case 1: return 200;
    case 2: return 400;
    case 3: return 600;
    case 5: return 1000;
    case 6: return 1200;
    case 7:
    case 8: return 1600;
    case 9:
    case 10: return 2000;
    case 11:
    case 12: return 2400;
    case 13: return 3200;
    case 14: return 4000;
    case 15: return 4800;
    default: return 800;
  }
}

std::string ledColorName(uint8_t color, int32_t language) {
  const bool english = isEnglish(language);
  switch (color) {
    case 0: return english ? "Cycle" : "循环";
    case 1: return english ? "Blue" : "蓝色";
    case 3: return english ? "Pink" : "粉色";
    case 5: return english ? "Red" : "红色";
    case 7: return english ? "Purple" : "紫色";
    default: return std::to_string(color);
  }
}

std::string ledStepModeName(uint8_t mode, int32_t language) {
  const auto& names = ledModeNames(language);
  if (mode < names.size()) return std::string(names[mode]);
  return std::to_string(mode);
}

std::vector<std::string> ledProgramLines(const LedProgram& p, int32_t language) {
  const bool english = isEnglish(language);
  std::vector<std::string> lines;
  lines.push_back((english ? "[Len     ]:" : "[个数     ]:") + std::to_string(p.stepCount()));
  const int steps = ledStepCount(p);
  for (int j = 4; j <= 4 * steps + 3; ++j) {
    const uint8_t v = p.bytes[static_cast<std::size_t>(j)];
    switch (j % 4) {
      case 0: lines.push_back((english ? "[Mode]:" : "[模式]:") + ledStepModeName(v, language)); break;
      case 1: lines.push_back((english ? "[Light color]:" : "[灯光颜色]:") + ledColorName(v, language)); break;
      case 2: lines.push_back((english ? "[Continued Time]:" : "[持续时间]:") + std::to_string(v) + "*100ms"); break;
      default: lines.push_back((english ? "[Interval Time]:" : "[间隔时间]:") + std::to_string(v) + "*100ms"); break;
    }
  }
  return lines;
}

}  // namespace tarvosk
