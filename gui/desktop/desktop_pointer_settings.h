#pragma once
// The PointerSettings of the desktop the program runs on: GNOME's settings on GNOME and the
// desktops built on them, the X server's pointer control in another X11 session, and "nothing
// can be read" elsewhere (other Wayland desktops keep the speed in their own per-device files).

#include <memory>
#include <string>
#include <string_view>

#include "device/pointer_settings.h"

namespace tarvosk {

// What the session says about itself.
struct DesktopEnvironment {
  std::string currentDesktop;      // XDG_CURRENT_DESKTOP: names separated by ':'
  std::string sessionType;         // XDG_SESSION_TYPE: "x11", "wayland", … or empty
  bool hasDisplay = false;         // DISPLAY is set
  bool hasWaylandDisplay = false;  // WAYLAND_DISPLAY is set

  static DesktopEnvironment fromProcessEnvironment();
};

enum class DesktopPointerBackend { Gnome, X11, None };

// True when `currentDesktop` names GNOME or a desktop that keeps its mouse speed in GNOME's
// settings (Unity, Budgie, Pantheon), compared without regard to case.
bool usesGnomeMouseSettings(std::string_view currentDesktop);

// GNOME's settings first where the desktop uses them; the X server's in an X11 session (an
// explicit session type wins over the display variables); otherwise none.
DesktopPointerBackend chooseDesktopPointerBackend(const DesktopEnvironment& environment);

// The chosen backend, falling back to X11 and then to "unsupported" when it is not there.
std::unique_ptr<PointerSettings> makeDesktopPointerSettings(const DesktopEnvironment& environment);

}  // namespace tarvosk
