#include "window/window_rules.h"

namespace tarvosk {

int baseFontSizeTenths(double logicalDpiX) {
  // The ratio is taken in single precision and compared exactly, so only the common
  // scalings match; anything in between falls back to the smallest size.
  const float ratio = static_cast<float>(logicalDpiX) / 96.0f;
  if (ratio == 1.0f) return 85;
  if (ratio == 1.25f) return 63;
  if (ratio == 1.5f) return 53;
  if (ratio == 1.75f || ratio == 2.0f) return 43;
  return 30;
}

int largeFontSizeTenths(int baseTenths) { return baseTenths + 10; }

bool startsMinimised(std::string_view commandLine) {
  const std::size_t dash = commandLine.rfind('-');
  const std::string_view tail = dash == std::string_view::npos ? commandLine : commandLine.substr(dash + 1);
  return tail.starts_with("HIDE");
}

}  // namespace tarvosk
