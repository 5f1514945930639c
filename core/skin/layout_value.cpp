#include "skin/layout_value.h"

#include <algorithm>

namespace tarvosk {

SplitLayoutValue splitLayoutValue(std::string_view value) {
  SplitLayoutValue result;
  const auto commas = std::count(value.begin(), value.end(), ',');
  result.tooManyCommas = commas > 6;
  if (commas == 0) {
    result.fields[0] = std::string(value);
    return result;
  }
  // Field i runs from just after the previous comma to the next one. A value with fewer than
  // six commas leaves the later fields empty rather than reusing earlier text.
  std::size_t start = 0;
  for (std::size_t i = 0; i < 6; ++i) {
    const std::size_t comma = value.find(',', start);
    if (comma == std::string_view::npos) {
      result.fields[i] = std::string(value.substr(start));
      return result;
    }
    result.fields[i] = std::string(value.substr(start, comma - start));
    start = comma + 1;
  }
  result.fields[6] = std::string(value.substr(start));
  return result;
}

}  // namespace tarvosk
