#pragma once
// Which item of each layout table lies under the pointer, and what a change of those items asks
// the window to repaint. The window keeps one HoverIndices value, updates it on every pointer
// move, and hands it to painting and to the press and release decisions.

#include <cstddef>
#include <cstdint>

#include "skin/layout_item.h"
#include "skin/skin_layout.h"

namespace tarvosk {

// Items of the main table hit-tested on the main page (all of them) and on the other pages
// (the page strip, items 0..10, only).
inline constexpr std::size_t kStripItemCount = 11;
// LED items 0..70 are hit-tested; 71..102 are areas and captions that never take the pointer.
inline constexpr std::size_t kLedHoverItemCount = 71;

struct HoverIndices {
  // Until the pointer first moves over the window, strip item 0 counts as hovered.
  int strip = 0;
  int led = kNoItem;
  int advanced = kNoItem;
  int macro = kNoItem;

  bool operator==(const HoverIndices&) const = default;
};

// The four indices for a pointer at (x, y) in window coordinates: the first item, in index
// order, that contains the point, or kNoItem. All four are computed whatever the page; the
// strip covers main items 0..28 on page 0 and 0..10 on every other page.
HoverIndices computeHover(const SkinLayout& layout, uint8_t currentPage, int32_t x, int32_t y);

// Parts of the window a repaint covers. The two page regions leave out the child controls of
// the main and macro pages so that they are not painted over.
enum class RepaintArea { MainPageRegion, MacroPageRegion, WholeWindow };

// The area repainted on a page: the main page region on page 0, the macro page region on
// page 2, the whole window on every other page.
RepaintArea repaintAreaFor(uint8_t currentPage);

// True when any of the four indices differs, i.e. something drawn under the pointer changes.
bool hoverChangeNeedsRepaint(const HoverIndices& before, const HoverIndices& after);

// What a pointer move asks of the window: invalidate `area` when any index changed, and paint
// at once (rather than at the next idle paint) when the strip, LED or advanced index changed.
struct HoverRepaint {
  bool invalidate = false;
  bool updateNow = false;
  RepaintArea area = RepaintArea::WholeWindow;

  bool operator==(const HoverRepaint&) const = default;
};

// `before` is what painting currently shows (the stored indices), `after` the fresh hit test.
HoverRepaint hoverRepaintFor(const HoverIndices& before, const HoverIndices& after, uint8_t currentPage);

}  // namespace tarvosk
