#pragma once
// The program's icon, drawn here so that it matches the skin: a mouse seen from above with a
// cyan scroll wheel on a dark navy tile with a teal edge.

#include <QIcon>

namespace tarvosk {

// The icon at the usual sizes (16 to 256 pixels).
QIcon appIcon();

}  // namespace tarvosk
