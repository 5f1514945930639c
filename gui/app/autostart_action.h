#pragma once
// The context menu's "Start with the desktop" item: checked while the autostart entry is on;
// toggling it writes or removes the entry (core/platform/autostart.h).

#include <QMenu>

namespace tarvosk {

// Adds the checkable item to `menu`; `english` picks its caption. A failed write or removal is
// told in a message box over `parent`.
QAction* addAutostartAction(QMenu& menu, QWidget* parent, bool english);

}  // namespace tarvosk
