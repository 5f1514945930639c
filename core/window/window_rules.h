#pragma once
// Small rules of the main window's start-up: the size of its fonts and whether it starts
// minimised.

#include <string_view>

namespace tarvosk {

// The base font size in tenths of a point for a screen of `logicalDpiX` logical pixels per
// inch: the ratio to 96, in single precision, of exactly 1.0, 1.25, 1.5, 1.75 or 2.0 gives
// 85, 63, 53, 43, 43; every other ratio gives 30.
int baseFontSizeTenths(double logicalDpiX);

// The large font is one point bigger than the base font.
int largeFontSizeTenths(int baseTenths);

// True when the text after the last '-' of the whole command line (its start when there is
// none) begins with exactly "HIDE"; case counts, and "-HIDEME" qualifies.
bool startsMinimised(std::string_view commandLine);

}  // namespace tarvosk
