#include "device/unopened_mouse.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>

#include "platform/paths.h"

namespace tarvosk {

namespace fs = std::filesystem;

std::vector<fs::path> udevRuleFolders() {
  return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
          "/lib/udev/rules.d"};
}

UnopenedMouse examineUnopenedMouse(const std::string& devicePath, const std::vector<fs::path>& ruleFolders,
                                   const fs::path& prefixRuleFolder) {
  UnopenedMouse mouse;
  mouse.devicePath = devicePath;
  std::error_code ec;
  if (!fs::exists(devicePath, ec)) {
    mouse.node = UnopenedMouse::Node::Missing;
  } else if (::access(devicePath.c_str(), R_OK | W_OK) != 0) {
    // access() also honours the ACL that udev's uaccess tag adds for the user at the seat.
    mouse.node = UnopenedMouse::Node::NoAccess;
  }
  for (const fs::path& folder : ruleFolders) {
    if (fs::is_regular_file(folder / kUdevRuleFileName, ec)) {
      mouse.installedRule = folder / kUdevRuleFileName;
      break;
    }
  }
  if (!prefixRuleFolder.empty() && fs::is_regular_file(prefixRuleFolder / kUdevRuleFileName, ec)) {
    const bool read = std::any_of(ruleFolders.begin(), ruleFolders.end(),
                                  [&](const fs::path& folder) { return fs::equivalent(folder, prefixRuleFolder, ec); });
    if (!read) mouse.unreadRule = prefixRuleFolder / kUdevRuleFileName;
  }
  return mouse;
}

UnopenedMouse examineUnopenedMouse(const std::string& devicePath) {
  const fs::path program = executableFolder();
  const fs::path prefixRules = program.empty() ? fs::path() : program.parent_path() / "lib" / "udev" / "rules.d";
  return examineUnopenedMouse(devicePath, udevRuleFolders(), prefixRules);
}

std::string unopenedMouseMessage(const UnopenedMouse& mouse) {
  const std::string found = "The mouse at " + mouse.devicePath + " was found, but ";
  const std::string replug = "then unplug the mouse and plug it in again.";
  switch (mouse.node) {
    case UnopenedMouse::Node::Missing: return found + "it went away before it could be opened. Plug it in again.";
    case UnopenedMouse::Node::Accessible:
      return found +
             "its settings collection could not be opened although you may use the device node. Unplug "
             "the mouse and plug it in again; if that does not help, another program may be holding it.";
    case UnopenedMouse::Node::NoAccess: break;
  }
  const std::string denied = found + "you may not open it. ";
  if (mouse.installedRule) {
    return denied + "The udev rule " + mouse.installedRule->string() +
           " is installed: unplug the mouse and plug it in again so that it applies. It lets only the user of "
           "the active local session use the mouse, not a remote or second login.";
  }
  if (mouse.unreadRule) {
    return denied + "The udev rule " + mouse.unreadRule->string() +
           " is installed where udev does not read it: copy it to /etc/udev/rules.d/, run \"sudo udevadm control "
           "--reload\", " +
           replug;
  }
  return denied + "The udev rule " + kUdevRuleFileName +
         " that lets the user at the seat use the mouse is not installed. Install the tarvosk package, or copy "
         "packaging/udev/" +
         kUdevRuleFileName + " from the sources to /etc/udev/rules.d/ and run \"sudo udevadm control --reload\"; " +
         replug;
}

}  // namespace tarvosk
