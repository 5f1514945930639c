#include "window/popup_chain.h"

#include "window/popup_menu.h"

namespace tarvosk {

PopupChain openedChain(PopupKind kind) {
  PopupChain chain;
  chain.open = true;
  chain.kind = kind;
  return chain;
}

PopupChain closedChain() { return {}; }

PopupChain afterFirstLevelHover(const PopupChain& chain, int row) {
  if (!chain.open) return chain;
  PopupChain next = chain;
  const int subRow = opensSubMenu(chain.kind, row) ? row : 0;
  if (subRow == chain.subMenuRow) return next;
  next.subMenuRow = subRow;
  next.macroGroup = -1;
  return next;
}

PopupChain afterSubMenuHover(const PopupChain& chain, int row, int groupCount) {
  if (!chain.open || chain.subMenuRow != kGroupsSubMenuRow) return chain;
  if (row < 1 || row > subMenuRowCount(kGroupsSubMenuRow, groupCount)) return chain;
  PopupChain next = chain;
  next.macroGroup = row - 1;
  return next;
}

}  // namespace tarvosk
