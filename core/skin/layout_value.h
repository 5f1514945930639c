#pragma once
// Splitting of one layout value: "label,x,y,width,height,caption,tail".

#include <array>
#include <string>
#include <string_view>

namespace tarvosk {

// Buffer size, in characters, that one layout value is read into (259 characters and the end).
inline constexpr std::size_t kLayoutValueBufferChars = 260;

// Fields of a layout value: 0 free text, 1 x, 2 y, 3 width, 4 height, 5 caption, 6 the rest.
using LayoutFields = std::array<std::string, 7>;

struct SplitLayoutValue {
  LayoutFields fields;
  // More than six commas: the value is malformed (everything after the sixth comma goes to
  // field 6 all the same, so the caption loses it).
  bool tooManyCommas = false;
};

// Splits a value at its first six commas. Without a comma field 0 is the whole value; with
// one to five commas the fields that have no comma of their own are empty.
SplitLayoutValue splitLayoutValue(std::string_view value);

}  // namespace tarvosk
