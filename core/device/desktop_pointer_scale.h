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

// The X server's core pointer acceleration (numerator / denominator, applied to motion beyond
// the threshold): step 10 is the server's default 2/1, step 1 nearly none (1.1), step 20 four
// times (4/1); denominators are always 10.
struct X11Acceleration {
  int numerator = 20;
  int denominator = 10;
};
X11Acceleration x11AccelerationFromPointerSpeed(int speed);

// The nearest step for an acceleration the server reports (any denominator; 0 reads as the
// middle step, a factor below 1.1 as step 1, above 4 as step 20).
int pointerSpeedFromX11Acceleration(int numerator, int denominator);

}  // namespace tarvosk
