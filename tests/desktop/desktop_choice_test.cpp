// Which desktop backend a session gets.

#include <gtest/gtest.h>

#include "desktop/desktop_pointer_settings.h"

namespace tarvosk {
namespace {

TEST(DesktopChoice, GnomeSettingsDesktopsAreRecognisedByName) {
  struct Case {
    const char* currentDesktop;
    bool gnome;
  };
  for (const Case c :
       {Case{"GNOME", true}, Case{"ubuntu:GNOME", true}, Case{"gnome", true}, Case{"GNOME-Flashback:GNOME", true},
        Case{"Budgie:GNOME", true}, Case{"Pantheon", true}, Case{"Unity", true}, Case{"KDE", false},
        Case{"X-Cinnamon", false}, Case{"GNOME-Classic-ish", false}, Case{"", false}, Case{"XFCE:", false}}) {
    SCOPED_TRACE(c.currentDesktop);
    EXPECT_EQ(usesGnomeMouseSettings(c.currentDesktop), c.gnome);
  }
}

TEST(DesktopChoice, TheSessionDecidesBetweenGnomeX11AndNothing) {
  using B = DesktopPointerBackend;
  struct Case {
    const char* name;
    DesktopEnvironment environment;
    DesktopPointerBackend backend;
  };
  const std::vector<Case> cases = {
      {"GNOME on Wayland", {"GNOME", "wayland", true, true}, B::Gnome},
      {"GNOME on X11", {"GNOME", "x11", true, false}, B::Gnome},
      {"XFCE on X11", {"XFCE", "x11", true, false}, B::X11},
      {"a bare X server", {"", "", true, false}, B::X11},
      {"KDE on Wayland with Xwayland", {"KDE", "wayland", true, true}, B::None},
      {"sway", {"sway", "", false, true}, B::None},
      {"a tty", {"", "tty", false, false}, B::None},
      {"an X display inside a Wayland session", {"", "", true, true}, B::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(chooseDesktopPointerBackend(c.environment), c.backend);
  }
}

}  // namespace
}  // namespace tarvosk
