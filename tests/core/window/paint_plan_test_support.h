#pragma once
// A complete synthetic layout and small queries over a paint plan, shared by the paint plan tests.

#include <optional>
#include <string>
#include <vector>

#include "window/paint_plan.h"

namespace tarvosk::test {

// Every item of every table present: item i at (1 + i, 2 + i), 420 × 20 pixels (420 divides by
// 6, 7, 10 and 12, so bar fractions come out whole), caption "<table letter><i>".
inline constexpr int32_t kItemWidth = 420;
SkinLayout fullLayout();
// Item `index` of a table; throws when the index is outside it.
const LayoutItem& layoutItem(const SkinLayout& layout, PaintTable table, int index);

// A record as the shipped configuration leaves it: speeds 5, fire time 50, all DPI levels on.
SettingsRecord sampleSettings(uint8_t page);

struct PlanQuery {
  const PaintPlan& plan;

  // Positions in plan.ops of the copies of (table, item), in order.
  std::vector<std::size_t> copiesOf(PaintTable table, int item) const;
  std::optional<CopyItemOp> lastCopy(PaintTable table, int item) const;
  std::optional<CopyBarOp> bar(PaintTable table, int item) const;
  std::optional<CaptionOp> caption(PaintTable table, int item) const;
  // Items copied from `source` in `table`, in order.
  std::vector<int> itemsFrom(PaintTable table, PaintSource source) const;
  template <class Op>
  std::vector<Op> all() const {
    std::vector<Op> out;
    for (const PaintOp& op : plan.ops) {
      if (const Op* o = std::get_if<Op>(&op)) out.push_back(*o);
    }
    return out;
  }
};

// A plan for `settings` on the full layout with the given hover and held state.
PaintPlan planFor(const SettingsRecord& settings, const SkinLayout& layout, PaintHover hover = {}, bool held = false);

}  // namespace tarvosk::test
