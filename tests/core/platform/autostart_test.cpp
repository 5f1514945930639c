// The autostart entry the window's "Start with the desktop" item writes and removes.

#include "platform/autostart.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;

TEST(Autostart, TheEntryLivesInTheAutostartFolderOfTheConfigHome) {
  EXPECT_EQ(autostartFile("/home/ana/.config"), fs::path("/home/ana/.config/autostart/org.tarvosk.Tarvosk.desktop"));
}

TEST(Autostart, ExecNamesTheProgramThePathFindsElseItsAbsolutePath) {
  test::ScratchDir dir;
  const fs::path bin = dir / "bin", other = dir / "other", odd = dir / "my tools %1 $HOME";
  for (const fs::path& folder : {bin, other, odd}) fs::create_directories(folder);
  for (const fs::path& folder : {bin, other, odd}) test::writeFile(folder / "tarvosk", "");
  const std::string path = "relative:" + bin.string() + "::" + other.string();

  struct Case {
    const char* name;
    fs::path executable;
    std::string searchPath;
    std::string exec;
  };
  const std::vector<Case> cases = {
      {"the first tarvosk on the path", bin / "tarvosk", path, "tarvosk -HIDE"},
      {"a tarvosk the path finds only later", other / "tarvosk", path, (other / "tarvosk").string() + " -HIDE"},
      {"no path at all", bin / "tarvosk", "", (bin / "tarvosk").string() + " -HIDE"},
      // Quoted for the space, $ escaped inside the quotes, then % and \ doubled for the file.
      {"a folder with reserved characters", odd / "tarvosk", path,
       "\"" + dir.path().string() + "/my tools %%1 \\\\$HOME/tarvosk\" -HIDE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(autostartExec(c.executable, c.searchPath), c.exec);
  }
}

TEST(Autostart, TheEntryStartsTheWindowHidden) {
  const std::string entry = autostartEntry("tarvosk -HIDE");
  EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
  for (const char* line :
       {"\nType=Application\n", "\nExec=tarvosk -HIDE\n", "\nIcon=org.tarvosk.Tarvosk\n", "\nName=Tarvosk\n"}) {
    EXPECT_NE(entry.find(line), std::string::npos) << line;
  }
}

TEST(Autostart, OnWritesTheEntryAndOffRemovesIt) {
  test::ScratchDir dir;
  const fs::path file = autostartFile(dir / "config");
  EXPECT_FALSE(isAutostartEnabled(file));

  ASSERT_TRUE(setAutostart(file, true, "tarvosk -HIDE"));
  EXPECT_TRUE(isAutostartEnabled(file));
  EXPECT_EQ(test::readFile(file), autostartEntry("tarvosk -HIDE"));
  EXPECT_FALSE(fs::exists(file.string() + ".new"));

  ASSERT_TRUE(setAutostart(file, false, "tarvosk -HIDE"));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_FALSE(isAutostartEnabled(file));
  // Off again: nothing to remove is no failure.
  EXPECT_TRUE(setAutostart(file, false, "tarvosk -HIDE"));
}

TEST(Autostart, AnEntrySwitchedOffInPlaceReadsAsOffAndOnReplacesIt) {
  test::ScratchDir dir;
  const fs::path file = autostartFile(dir.path());
  fs::create_directories(file.parent_path());
  struct Case {
    const char* name;
    std::string text;
    bool enabled;
  };
  const std::vector<Case> cases = {
      {"hidden", "[Desktop Entry]\nExec=tarvosk -HIDE\nHidden=true\n", false},
      {"switched off by the session settings", "[Desktop Entry]\r\nExec=tarvosk\r\nX-GNOME-Autostart-enabled=false\r\n",
       false},
      {"the same key in another group", "[Desktop Entry]\nExec=tarvosk\n[Desktop Action x]\nHidden=true\n", true},
      {"switched on", "[Desktop Entry]\nExec=tarvosk\nX-GNOME-Autostart-enabled=true\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::writeFile(file, c.text);
    EXPECT_EQ(isAutostartEnabled(file), c.enabled);
    ASSERT_TRUE(setAutostart(file, true, "tarvosk -HIDE"));
    EXPECT_TRUE(isAutostartEnabled(file));
  }
}

TEST(Autostart, AFolderThatCannotBeMadeIsAFailure) {
  test::ScratchDir dir;
  test::writeFile(dir / "config", "a file where the folder should be");
  EXPECT_FALSE(setAutostart(autostartFile(dir / "config"), true, "tarvosk -HIDE"));
}

}  // namespace
}  // namespace tarvosk
