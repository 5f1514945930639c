#pragma once
// Starting with the desktop: an XDG autostart entry ($XDG_CONFIG_HOME/autostart/
// org.tarvosk.Tarvosk.desktop) that starts the window hidden (-HIDE) at login. The window's
// context menu shows whether it is on and turns it on and off.

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvosk {

inline constexpr std::string_view kAutostartFileName = "org.tarvosk.Tarvosk.desktop";

// The entry's file under `configHome` (see userConfigHome()).
std::filesystem::path autostartFile(const std::filesystem::path& configHome);

// The Exec value that starts `executable` hidden: "tarvosk -HIDE" when `executable` is the
// tarvosk that `searchPath` (a PATH value) finds first, else its absolute path, quoted and
// escaped as desktop entries require where it holds anything but plain path characters.
std::string autostartExec(const std::filesystem::path& executable, std::string_view searchPath);

// The whole desktop entry for `exec`.
std::string autostartEntry(std::string_view exec);

// True when the entry exists and no desktop has switched it off in place (Hidden=true or
// X-GNOME-Autostart-enabled=false, as session settings tools write them).
bool isAutostartEnabled(const std::filesystem::path& file);

// On: writes the entry (replacing a switched-off one) atomically, creating the folder. Off:
// removes the file. Returns false when the file could not be written or removed.
bool setAutostart(const std::filesystem::path& file, bool enabled, std::string_view exec);

}  // namespace tarvosk
