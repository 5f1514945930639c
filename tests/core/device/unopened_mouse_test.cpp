// A mouse that is attached but cannot be opened gets a message that says what to do, never
// "no mouse".

#include "device/unopened_mouse.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;
using Node = UnopenedMouse::Node;

struct MessageCase {
  const char* name;
  UnopenedMouse mouse;
  std::vector<std::string> says;
  std::vector<std::string> never;
};

TEST(UnopenedMouseMessage, NamesTheNodeTheRuleAndWhatToDo) {
  const std::vector<MessageCase> cases = {
      {"rule missing",
       {"/dev/hidraw3", Node::NoAccess, std::nullopt, std::nullopt},
       {"/dev/hidraw3", "you may not open it", "70-tarvosk.rules", "is not installed", "/etc/udev/rules.d/",
        "udevadm control --reload", "plug it in again"},
       {"no mouse", "although"}},
      {"rule installed but not applied yet",
       {"/dev/hidraw3", Node::NoAccess, fs::path("/usr/lib/udev/rules.d/70-tarvosk.rules"), std::nullopt},
       {"/dev/hidraw3", "you may not open it", "/usr/lib/udev/rules.d/70-tarvosk.rules is installed",
        "plug it in again", "active local session"},
       {"not installed", "copy"}},
      {"rule beside an installation udev does not read",
       {"/dev/hidraw0", Node::NoAccess, std::nullopt, fs::path("/opt/tarvosk/lib/udev/rules.d/70-tarvosk.rules")},
       {"/opt/tarvosk/lib/udev/rules.d/70-tarvosk.rules", "where udev does not read it", "/etc/udev/rules.d/",
        "plug it in again"},
       {"not installed"}},
      {"permissions allow it",
       {"/dev/hidraw1", Node::Accessible, std::nullopt, std::nullopt},
       {"/dev/hidraw1", "could not be opened", "plug it in again", "another program"},
       {"udev rule", "may not open"}},
      {"gone meanwhile",
       {"/dev/hidraw1", Node::Missing, std::nullopt, std::nullopt},
       {"/dev/hidraw1", "went away", "Plug it in again"},
       {"udev rule"}},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string message = unopenedMouseMessage(c.mouse);
    for (const std::string& text : c.says) EXPECT_NE(message.find(text), std::string::npos) << text << "\n" << message;
    for (const std::string& text : c.never) EXPECT_EQ(message.find(text), std::string::npos) << text << "\n" << message;
  }
}

TEST(ExamineUnopenedMouse, TellsAMissingNodeFromAnOpenableOne) {
  test::ScratchDir dir;
  test::writeFile(dir / "hidraw7", "");
  EXPECT_EQ(examineUnopenedMouse((dir / "gone").string(), {}, {}).node, Node::Missing);
  const UnopenedMouse present = examineUnopenedMouse((dir / "hidraw7").string(), {}, {});
  EXPECT_EQ(present.node, Node::Accessible);
  EXPECT_EQ(present.devicePath, (dir / "hidraw7").string());
  EXPECT_FALSE(present.installedRule);
  EXPECT_FALSE(present.unreadRule);
}

// The node belongs to root with mode 0600 and is examined by another user (nobody, when the test
// runs as root); a user without rights examines a node of its own with mode 0000.
TEST(ExamineUnopenedMouse, ANodeThisUserMayNotOpenIsNoAccess) {
  test::ScratchDir dir;
  const fs::path node = dir / "hidraw9";
  test::writeFile(node, "");
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(node.c_str(), geteuid() == 0 ? 0600 : 0000), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
    _exit(static_cast<int>(examineUnopenedMouse(node.string(), {}, {}).node));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(Node::NoAccess));
}

TEST(ExamineUnopenedMouse, FindsTheRuleWhereUdevReadsItAndBesideTheInstallation) {
  test::ScratchDir dir;
  const fs::path etc = dir / "etc", lib = dir / "lib", prefix = dir / "opt";
  for (const fs::path& folder : {etc, lib, prefix}) fs::create_directories(folder);
  const std::string device = (dir / "hidraw0").string();

  // None anywhere.
  UnopenedMouse m = examineUnopenedMouse(device, {etc, lib}, prefix);
  EXPECT_FALSE(m.installedRule);
  EXPECT_FALSE(m.unreadRule);

  // Only in a folder udev reads.
  test::writeFile(lib / kUdevRuleFileName, "rule");
  m = examineUnopenedMouse(device, {etc, lib}, prefix);
  EXPECT_EQ(m.installedRule, lib / kUdevRuleFileName);
  EXPECT_FALSE(m.unreadRule);

  // In two: the more specific folder is named.
  test::writeFile(etc / kUdevRuleFileName, "rule");
  EXPECT_EQ(examineUnopenedMouse(device, {etc, lib}, prefix).installedRule, etc / kUdevRuleFileName);

  // Beside an installation whose rule folder udev does not read.
  test::writeFile(prefix / kUdevRuleFileName, "rule");
  EXPECT_EQ(examineUnopenedMouse(device, {etc, lib}, prefix).unreadRule, prefix / kUdevRuleFileName);
  // An installation into a folder udev reads is not reported twice.
  EXPECT_FALSE(examineUnopenedMouse(device, {etc, lib}, lib).unreadRule);
}

}  // namespace
}  // namespace tarvosk
