#pragma once
// The PointerSettings of the desktop the program runs on.

#include <memory>
#include <string_view>

#include "device/pointer_settings.h"

namespace tarvosk {

// True when `currentDesktop` (an XDG_CURRENT_DESKTOP value: names separated by ':') names a
// desktop that keeps its mouse speed in GNOME's settings: GNOME and the desktops built on its
// settings (Unity, Budgie, Pantheon), compared without regard to case.
bool usesGnomeMouseSettings(std::string_view currentDesktop);

// GNOME's settings where the desktop uses them and they exist; otherwise a backend that reads
// nothing and so changes nothing.
std::unique_ptr<PointerSettings> makeDesktopPointerSettings(std::string_view currentDesktop);

}  // namespace tarvosk
