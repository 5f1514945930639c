#include "window/hover.h"

#include <span>

namespace tarvosk {

HoverIndices computeHover(const SkinLayout& layout, uint8_t currentPage, int32_t x, int32_t y) {
  HoverIndices h;
  const std::size_t stripCount = currentPage == 0 ? kMainItemCount : kStripItemCount;
  h.strip = itemAt(std::span<const LayoutItem>(layout.main), stripCount, x, y);
  h.led = itemAt(std::span<const LayoutItem>(layout.led), kLedHoverItemCount, x, y);
  h.advanced = itemAt(std::span<const LayoutItem>(layout.advanced), kAdvancedItemCount, x, y);
  h.macro = itemAt(std::span<const LayoutItem>(layout.macro), kMacroItemCount, x, y);
  return h;
}

RepaintArea repaintAreaFor(uint8_t currentPage) {
  switch (currentPage) {
    case 0: return RepaintArea::MainPageRegion;
    case 2: return RepaintArea::MacroPageRegion;
    default: return RepaintArea::WholeWindow;
  }
}

bool hoverChangeNeedsRepaint(const HoverIndices& before, const HoverIndices& after) { return before != after; }

HoverRepaint hoverRepaintFor(const HoverIndices& before, const HoverIndices& after, uint8_t currentPage) {
  HoverRepaint r;
  r.area = repaintAreaFor(currentPage);
  r.invalidate = hoverChangeNeedsRepaint(before, after);
  // A change of the macro index alone is only invalidated; the page follows at the next paint.
  r.updateNow = before.strip != after.strip || before.led != after.led || before.advanced != after.advanced;
  return r;
}

}  // namespace tarvosk
