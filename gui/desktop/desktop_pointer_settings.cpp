#include "desktop/desktop_pointer_settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

#include "desktop/gnome_pointer_settings.h"
#include "desktop/x11_pointer_settings.h"

namespace tarvosk {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool isX11Session(const DesktopEnvironment& e) {
  if (!e.sessionType.empty()) return equalIgnoringCase(e.sessionType, "x11");
  return e.hasDisplay && !e.hasWaylandDisplay;
}

}  // namespace

DesktopEnvironment DesktopEnvironment::fromProcessEnvironment() {
  DesktopEnvironment e;
  e.currentDesktop = variable("XDG_CURRENT_DESKTOP");
  e.sessionType = variable("XDG_SESSION_TYPE");
  e.hasDisplay = !variable("DISPLAY").empty();
  e.hasWaylandDisplay = !variable("WAYLAND_DISPLAY").empty();
  return e;
}

bool usesGnomeMouseSettings(std::string_view currentDesktop) {
  constexpr std::array<std::string_view, 4> kDesktops = {"GNOME", "Unity", "Budgie", "Pantheon"};
  std::size_t start = 0;
  while (start <= currentDesktop.size()) {
    std::size_t end = currentDesktop.find(':', start);
    if (end == std::string_view::npos) end = currentDesktop.size();
    const std::string_view name = currentDesktop.substr(start, end - start);
    for (std::string_view known : kDesktops) {
      if (equalIgnoringCase(name, known)) return true;
    }
    start = end + 1;
  }
  return false;
}

DesktopPointerBackend chooseDesktopPointerBackend(const DesktopEnvironment& environment) {
  if (usesGnomeMouseSettings(environment.currentDesktop)) return DesktopPointerBackend::Gnome;
  if (isX11Session(environment)) return DesktopPointerBackend::X11;
  return DesktopPointerBackend::None;
}

std::unique_ptr<PointerSettings> makeDesktopPointerSettings(const DesktopEnvironment& environment) {
  const DesktopPointerBackend choice = chooseDesktopPointerBackend(environment);
  if (choice == DesktopPointerBackend::Gnome) {
    auto gnome = std::make_unique<GnomePointerSettings>();
    if (gnome->available()) return gnome;
  }
  if (choice != DesktopPointerBackend::None && isX11Session(environment)) {
    auto x11 = std::make_unique<X11PointerSettings>();
    if (x11->available()) return x11;
  }
  return std::make_unique<UnsupportedPointerSettings>();
}

}  // namespace tarvosk
