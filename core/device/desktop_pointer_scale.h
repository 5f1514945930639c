#pragma once
// The pointer speed scale the settings use (1..20, 10 the neutral middle) against the desktops'
// own scales. Each mapping sends 10 to the desktop's neutral value and the ends to its ends, and
// reading back what was written gives the same step.

namespace tarvosk {

// GNOME's mouse speed (org.gnome.desktop.peripherals.mouse speed): -1 slowest, 0 neutral, 1
// fastest. Steps outside 1..20 are taken as the nearest end.
double gnomeSpeedFromPointerSpeed(int speed);

// The nearest step for a GNOME speed; values outside -1..1 (or not a number) are clipped.
int pointerSpeedFromGnomeSpeed(double speed);

}  // namespace tarvosk
