#pragma once
// Which popup levels are open, and how hovering, acting and clicking elsewhere change that.
// One first-level menu exists at a time; a second level follows the first level's hovered row
// (rows 7..11 of the button-function menu), a third level follows the second level's hovered
// group row. Any action closes the whole chain (closedChain), and so do Escape and a press
// outside every level.

#include "window/popup_request.h"

namespace tarvosk {

struct PopupChain {
  bool open = false;                            // a first-level menu is shown
  PopupKind kind = PopupKind::ButtonFunctions;  // its kind
  int subMenuRow = 0;                           // first-level row whose second level is open, 0 none
  int macroGroup = -1;                          // group whose third level is open, -1 none

  bool operator==(const PopupChain&) const = default;
};

// A new first-level menu of `kind` (replacing any open chain).
PopupChain openedChain(PopupKind kind);
// Nothing open.
PopupChain closedChain();

// The first level's hovered row changed to `row` (kNoRow when the pointer is over no row): the
// second level opens beside rows 7..11 of the button-function menu and closes elsewhere; a
// second level that changes takes its third level with it. A row that already has its second
// level keeps it (and its third level).
PopupChain afterFirstLevelHover(const PopupChain& chain, int row);

// The second level's hovered row changed to `row`. While it lists the groups (first-level row
// 9), a group row opens that group's macros (group = row - 1, for rows 1..groupCount); leaving
// the rows keeps what is open.
PopupChain afterSubMenuHover(const PopupChain& chain, int row, int groupCount);

}  // namespace tarvosk
