#pragma once
// A small layout for the window decisions, with the shapes of the shipped skin: the page strip
// across the top, three profile tabs and six button callouts on the main page, DPI rows with
// 300-pixel bars and 25-pixel markers, 180-pixel speed bars, 372-pixel lighting bars.

#include <cstddef>
#include <cstdint>

#include "settings/settings_rules.h"
#include "skin/skin_layout.h"
#include "window/hover.h"
#include "window/pointer_handling.h"

namespace tarvosk::test {

inline void place(LayoutItem& item, int32_t x, int32_t y, int32_t w, int32_t h) {
  item.x = x;
  item.y = y;
  item.width = w;
  item.height = h;
}

inline SkinLayout windowTestLayout() {
  SkinLayout l;
  // Strip: hide, quit, cancel, apply, two language pills, four page tabs, the emblem.
  place(l.main[0], 762, 14, 36, 30);
  place(l.main[1], 804, 14, 36, 30);
  place(l.main[2], 596, 550, 118, 34);
  place(l.main[3], 724, 550, 118, 34);
  place(l.main[4], 640, 18, 44, 24);
  place(l.main[5], 690, 18, 44, 24);
  for (int t = 0; t < 4; ++t) place(l.main[static_cast<std::size_t>(6 + t)], 24 + 174 * t, 64, 170, 40);
  place(l.main[10], 22, 12, 176, 38);
  // Main page: profile tabs, import, export, reset, web page, callouts of buttons 1..6.
  for (int k = 0; k < 3; ++k) place(l.main[static_cast<std::size_t>(11 + k)], 36, 132 + 58 * k, 232, 48);
  place(l.main[14], 36, 350, 232, 40);
  place(l.main[15], 36, 398, 232, 40);
  place(l.main[16], 36, 446, 232, 40);
  place(l.main[19], 30, 552, 210, 30);
  for (int b = 0; b < 6; ++b)
    place(l.main[static_cast<std::size_t>(20 + b)], b < 3 ? 300 : 650, 150 + 72 * (b % 3), 180, 34);

  // Advanced page: a label, three speed bars, four DPI rows, report-rate pills and dots.
  place(l.advanced[0], 572, 128, 250, 22);
  place(l.advanced[1], 576, 156, 180, 16);
  place(l.advanced[18], 576, 220, 180, 16);
  place(l.advanced[31], 576, 284, 180, 16);
  for (int k = 0; k < 4; ++k) {
    const int32_t ry = 152 + 96 * k;
    const auto i = static_cast<std::size_t>(k);
    place(l.advanced[60 + i], 72, ry + 2, 116, 34);
    place(l.advanced[47 + i], 72, ry + 44, 116, 28);
    place(l.advanced[66 + i], 224, ry + 10, 300, 18);
    for (std::size_t j = 0; j < 12; ++j)
      place(l.advanced[70 + 12 * i + j], 224 + 25 * static_cast<int32_t>(j), ry + 36, 25, 22);
  }
  // Enable and select items of levels 5 and 6, as a hand-edited file might place them.
  place(l.advanced[51], 10, 540, 20, 20);
  place(l.advanced[52], 40, 540, 20, 20);
  place(l.advanced[64], 70, 540, 20, 20);
  place(l.advanced[65], 100, 540, 20, 20);
  for (int r = 0; r < 4; ++r) {
    place(l.advanced[static_cast<std::size_t>(38 + r)], 580, 353 + 44 * r, 20, 20);
    place(l.advanced[static_cast<std::size_t>(34 + r)], 608, 346 + 44 * r, 140, 34);
  }

  // Lighting page.
  place(l.led[35], 44, 146, 200, 34);
  place(l.led[45], 256, 148, 164, 30);
  for (int j = 0; j < 7; ++j) place(l.led[static_cast<std::size_t>(7 + j)], 44 + 54 * j, 262, 46, 32);
  place(l.led[14], 44, 308, 200, 28);
  place(l.led[40], 44, 378, 372, 26);
  place(l.led[41], 44, 458, 372, 26);
  for (int k = 0; k < 3; ++k) place(l.led[static_cast<std::size_t>(47 + k)], 470 + 80 * k, 150, 64, 40);
  place(l.led[50], 744, 150, 64, 40);
  for (int k = 0; k < 6; ++k) place(l.led[static_cast<std::size_t>(51 + k)], 464, 276 + 38 * k, 170, 32);
  place(l.led[57], 464, 504, 170, 30);
  place(l.led[75], 32, 188, 396, 114);  // an area, never under the pointer

  // Macro page.
  place(l.macro[1], 250, 148, 32, 30);
  place(l.macro[2], 44, 186, 116, 32);
  place(l.macro[3], 166, 186, 116, 32);
  place(l.macro[4], 44, 226, 238, 32);
  place(l.macro[5], 676, 124, 148, 34);
  place(l.macro[6], 44, 484, 116, 32);
  place(l.macro[7], 166, 484, 116, 32);
  place(l.macro[10], 326, 168, 150, 32);
  place(l.macro[11], 482, 168, 150, 32);
  place(l.macro[12], 638, 168, 120, 32);
  l.macroEdit[0] = rectFromGeometry(44, 150, 200, 26);
  return l;
}

// A point inside an item, `dx` pixels right of its left edge, vertically centred.
struct Point {
  int32_t x;
  int32_t y;
};
inline Point pointIn(const LayoutItem& item, int32_t dx) { return {item.x + dx, item.y + item.height / 2}; }
inline Point centreOf(const LayoutItem& item) { return pointIn(item, item.width / 2); }

// What the window would pass for a click at p on `page`: the hover the move to p left, and p.
inline PointerInput inputAt(const SkinLayout& layout, uint8_t page, Point p) {
  PointerInput in;
  in.hover = computeHover(layout, page, p.x, p.y);
  in.clickX = p.x;
  in.clickY = p.y;
  return in;
}

// A record as start-up leaves it with the shipped factory settings.
inline SettingsRecord factoryRecord() {
  SettingsRecord r;
  for (auto& slot : r.buttonFunction) slot = {1, 2, 3, 4, 5, 6};
  r.dpiEnabled = {1, 1, 1, 1};
  r.dpiValue = {1, 3, 6, 9};
  r.dpiLevel = 1;
  r.cycleColorEnable = {1, 1, 1, 1, 1, 1, 1};
  r.ledType = 1;
  r.ledCycleTime = 2;
  r.ledBrightness = 3;
  r.pointerSpeed = 5;
  r.wheelSpeed = 3;
  setUsbRate(r, 3);
  return r;
}

}  // namespace tarvosk::test
