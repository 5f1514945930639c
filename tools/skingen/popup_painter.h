#pragma once
// Paints the popup menu sets and the warning window.

#include <QImage>

#include "look.h"
#include "skin_model.h"

namespace skingen {

// A menu set's mask: a plain rectangle whose size gives the menu's width and row height.
QImage paintMenuMask(const MenuSet& set);
// Every row of the set in one look; the menu copies the hovered row's band from it.
QImage paintMenu(const MenuSet& set, Look look);

QImage paintWarningMask(const Skin& skin);
// Normal: the window at rest; Over: both choices lit (the window copies the hovered one).
QImage paintWarning(const Skin& skin, Look look);

}  // namespace skingen
