#include "paint_plan_test_support.h"

namespace tarvosk::test {

namespace {

template <std::size_t N>
void fill(std::array<LayoutItem, N>& items, char letter) {
  for (std::size_t i = 0; i < N; ++i) {
    const auto n = static_cast<int32_t>(i);
    items[i] = LayoutItem{1 + n, 2 + n, kItemWidth, 20, std::string(1, letter) + std::to_string(i)};
  }
}

}  // namespace

const LayoutItem& layoutItem(const SkinLayout& layout, PaintTable table, int index) {
  switch (table) {
    case PaintTable::Advanced: return layout.advanced.at(static_cast<std::size_t>(index));
    case PaintTable::Macro: return layout.macro.at(static_cast<std::size_t>(index));
    case PaintTable::Led: return layout.led.at(static_cast<std::size_t>(index));
    case PaintTable::Main: break;
  }
  return layout.main.at(static_cast<std::size_t>(index));
}

SkinLayout fullLayout() {
  SkinLayout layout;
  fill(layout.main, 'M');
  fill(layout.advanced, 'A');
  fill(layout.macro, 'C');
  fill(layout.led, 'L');
  for (std::size_t k = 1; k < layout.functionNames.size(); ++k) layout.functionNames[k] = "F" + std::to_string(k);
  return layout;
}

SettingsRecord sampleSettings(uint8_t page) {
  SettingsRecord s;
  s.currentPage = page;
  s.language = 1;
  s.profileName = {"Work", "Play", "Race"};
  s.buttonFunction[0] = {1, 2, 3, 4, 5, 6};
  s.dpiEnabled = {1, 1, 1, 1};
  s.dpiValue = {0, 2, 5, 8};
  s.pointerSpeed = 5;
  s.wheelSpeed = 3;
  s.fireTime = 50;
  s.usbRate = 3;
  s.ledType = 1;
  s.cycleColorEnable = {1, 1, 1, 1, 1, 1, 1};
  s.ledCycleTime = 2;
  s.ledBrightness = 3;
  return s;
}

std::vector<std::size_t> PlanQuery::copiesOf(PaintTable table, int item) const {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < plan.ops.size(); ++i) {
    if (const auto* c = std::get_if<CopyItemOp>(&plan.ops[i]); c && c->table == table && c->item == item) {
      out.push_back(i);
    }
  }
  return out;
}

std::optional<CopyItemOp> PlanQuery::lastCopy(PaintTable table, int item) const {
  const std::vector<std::size_t> at = copiesOf(table, item);
  if (at.empty()) return std::nullopt;
  return std::get<CopyItemOp>(plan.ops[at.back()]);
}

std::optional<CopyBarOp> PlanQuery::bar(PaintTable table, int item) const {
  for (const CopyBarOp& b : all<CopyBarOp>()) {
    if (b.table == table && b.item == item) return b;
  }
  return std::nullopt;
}

std::optional<CaptionOp> PlanQuery::caption(PaintTable table, int item) const {
  for (const CaptionOp& c : all<CaptionOp>()) {
    if (c.table == table && c.item == item) return c;
  }
  return std::nullopt;
}

std::vector<int> PlanQuery::itemsFrom(PaintTable table, PaintSource source) const {
  std::vector<int> out;
  for (const CopyItemOp& c : all<CopyItemOp>()) {
    if (c.table == table && c.source == source) out.push_back(c.item);
  }
  return out;
}

PaintPlan planFor(const SettingsRecord& settings, const SkinLayout& layout, PaintHover hover, bool held) {
  PaintInput input(settings, layout);
  input.hover = hover;
  input.buttonHeld = held;
  return buildPaintPlan(input);
}

}  // namespace tarvosk::test
