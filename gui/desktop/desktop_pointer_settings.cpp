#include "desktop/desktop_pointer_settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "desktop/gnome_pointer_settings.h"

namespace tarvosk {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

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

std::unique_ptr<PointerSettings> makeDesktopPointerSettings(std::string_view currentDesktop) {
  if (usesGnomeMouseSettings(currentDesktop)) {
    auto gnome = std::make_unique<GnomePointerSettings>();
    if (gnome->available()) return gnome;
  }
  return std::make_unique<UnsupportedPointerSettings>();
}

}  // namespace tarvosk
