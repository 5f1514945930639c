#include <gtest/gtest.h>

#include "platform/paths.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::readFile;
using test::ScratchDir;
using test::writeFile;
namespace fs = std::filesystem;

TEST(Paths, PortableWhenSkinsSitNextToTheExecutable) {
  ScratchDir dir;
  fs::create_directories(dir / "skins");
  const Paths p = discoverPaths(dir.path());
  EXPECT_TRUE(p.portable);
  EXPECT_EQ(p.configFile, dir / "skins" / "config" / "config.ini");
  EXPECT_EQ(p.factoryConfigFile, dir / "skins" / "config" / "configReset.ini");
  EXPECT_EQ(p.builtInMacroFile, dir / "constMacro.dat");  // beside the executable, not in skins
  EXPECT_EQ(p.macroFolder(1), dir / "skins" / "INI_EN" / "macro");
  EXPECT_EQ(p.macroResetFolder(0), dir / "skins" / "INI_CN" / "macroReset");
  EXPECT_EQ(p.layoutFolder(0), dir / "skins" / "INI_CN");
  EXPECT_EQ(p.mainMaskImage, dir / "skins" / "main_mask.jpg");
}

TEST(Paths, InstalledModeSeedsUserFilesOnceAndNeverOverwrites) {
  ScratchDir dir;
  const fs::path share = dir / "usr" / "share" / "tarvosk";
  writeFile(share / "skins" / "config" / "config.ini", "[Init]\nVER_SEL=1\n");
  writeFile(share / "skins" / "config" / "configReset.ini", "[Init]\n");
  writeFile(share / "skins" / "INI_EN" / "macro" / "macroGrp.ini", "factory");
  writeFile(share / "skins" / "INI_CN" / "macro" / "macroGrp.ini", "factory");
  const Paths p = installedPaths(dir / "usr" / "bin", share, dir / "home" / "tarvosk" / "skins");
  EXPECT_FALSE(p.portable);
  EXPECT_EQ(p.factoryConfigFile, share / "skins" / "config" / "configReset.ini");
  EXPECT_EQ(p.macroResetFolder(1), share / "skins" / "INI_EN" / "macroReset");

  writeFile(p.macroFolder(0) / "macroGrp.ini", "mine");  // the user already has this folder
  ASSERT_TRUE(seedUserFiles(p));
  EXPECT_EQ(readFile(p.configFile), "[Init]\nVER_SEL=1\n");
  EXPECT_EQ(readFile(p.macroFolder(1) / "macroGrp.ini"), "factory");
  EXPECT_EQ(readFile(p.macroFolder(0) / "macroGrp.ini"), "mine");

  writeFile(p.configFile, "edited");
  ASSERT_TRUE(seedUserFiles(p));
  EXPECT_EQ(readFile(p.configFile), "edited");
}

TEST(Paths, InstalledModeIsChosenWithoutSkinsBesideTheExecutable) {
  ScratchDir dir;
  fs::create_directories(dir / "bin");
  setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
  const Paths p = discoverPaths(dir / "bin");
  EXPECT_FALSE(p.portable);
  EXPECT_EQ(p.skinsFolder, dir / "share" / "tarvosk" / "skins");
  EXPECT_EQ(p.configFile, dir / "xdg" / "tarvosk" / "skins" / "config" / "config.ini");
}

}  // namespace
}  // namespace tarvosk
