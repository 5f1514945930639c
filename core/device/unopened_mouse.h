#pragma once
// A mouse that is attached but whose node could not be opened: why, and what the user does about
// it. On Linux the node is a /dev/hidraw* file that only root may open unless the udev rule
// 70-tarvosk.rules grants it to the user at the seat.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvosk {

inline constexpr const char* kUdevRuleFileName = "70-tarvosk.rules";

// The folders udev reads rules from, most specific first.
std::vector<std::filesystem::path> udevRuleFolders();

struct UnopenedMouse {
  enum class Node {
    Missing,     // the node is gone (the mouse was unplugged meanwhile)
    NoAccess,    // this user may not read and write the node
    Accessible,  // the permissions allow it; opening failed for another reason
  };
  std::string devicePath;
  Node node = Node::Accessible;
  // Where the rule is installed among the folders udev reads; nullopt when it is in none.
  std::optional<std::filesystem::path> installedRule;
  // A copy of the rule beside this installation that udev does not read (a /usr/local prefix).
  std::optional<std::filesystem::path> unreadRule;
};

// Looks at the node (read and write access for this process) and for the rule in `ruleFolders`
// and in `prefixRuleFolder` (the installation's own lib/udev/rules.d, may be empty).
UnopenedMouse examineUnopenedMouse(const std::string& devicePath, const std::vector<std::filesystem::path>& ruleFolders,
                                   const std::filesystem::path& prefixRuleFolder);

// The same, with udev's folders and the folder beside the running executable's prefix.
UnopenedMouse examineUnopenedMouse(const std::string& devicePath);

// What to tell the user: which rule to install where, and to plug the mouse in again.
std::string unopenedMouseMessage(const UnopenedMouse& mouse);

}  // namespace tarvosk
