#pragma once
// Shared by the two halves of the paint plan (looks and captions); not for other callers.

#include <span>

#include "window/paint_plan.h"

namespace tarvosk::paint_detail {

inline std::span<const LayoutItem> tableItems(const SkinLayout& layout, PaintTable table) {
  switch (table) {
    case PaintTable::Main: return layout.main;
    case PaintTable::Advanced: return layout.advanced;
    case PaintTable::Macro: return layout.macro;
    case PaintTable::Led: return layout.led;
  }
  return {};
}

// The item `index` of a table, or nullptr when the index lies outside the table or the item
// covers no pixel (a key the layout file lacks): such items are never drawn.
inline const LayoutItem* drawableItem(const SkinLayout& layout, PaintTable table, int index) {
  const std::span<const LayoutItem> items = tableItems(layout, table);
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
  const LayoutItem& item = items[static_cast<std::size_t>(index)];
  return item.hasArea() ? &item : nullptr;
}

inline PaintRect rectOf(const LayoutItem& item) { return {item.x, item.y, item.width, item.height}; }

// The table of a page's own items.
inline PaintTable pageTable(PaintPage page) {
  switch (page) {
    case PaintPage::Main: return PaintTable::Main;
    case PaintPage::Advanced: return PaintTable::Advanced;
    case PaintPage::Macro: return PaintTable::Macro;
    case PaintPage::Led: return PaintTable::Led;
  }
  return PaintTable::Main;
}

// Appends the caption operations of the page (strip captions included).
void appendCaptions(const PaintInput& input, PaintPage page, PaintPlan& plan);

}  // namespace tarvosk::paint_detail
