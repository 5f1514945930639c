#include <gtest/gtest.h>

#include "cli_runner.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::runCli;
using test::ScratchDir;
using test::writeFile;

class ProfileCommandsTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  std::string skins = paths.skinsFolder.string();
};

TEST_F(ProfileCommandsTest, ShowPrintsEveryFieldOfTheShippedConfiguration) {
  const auto r = runCli({"--skins", skins, "profile", "show"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* line :
       {"currentProfile = 0\n", "language = 1\n", "profileName = Profile 1 | Profile 2 | Profile 3\n",
        "buttonFunction[0] = 1 2 3 4 5 6\n", "ledReactEnable[3] = 1 1 1 1 1 1 0 0 0\n",
        "ledReactType[2] = 0 0 0 0 0 0 0 0 0\n", "dpiValue = 1 3 6 9\n", "dpiEnabled = 1 1 1 1\n",
        "dpiColor = 255 0 0 | 0 255 0 | 0 0 255 | 255 0 255\n", "cycleColorEnable = 1 1 1 1 1 1 1\n",
        "ledUserColor = 0 15 15 | 15 0 15 | 15 15 0 | 0 0 0\n", "usbRate = 3\n", "fireTime = 50\n", "usbRateCode = 0\n",
        "usbIntervalMs = 1\n", "ledUserColorRgb = 987135 1048335 16715535 16777215\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  }
  EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST_F(ProfileCommandsTest, ProblemsGiveAMessageAndANonZeroExit) {
  writeFile(paths.configFile, "[Init]\nVER_SEL=one\n");
  auto r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("VER_SEL = \"one\" is not a number"), std::string::npos) << r.err;

  std::filesystem::remove(paths.configFile);
  r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Error：Config.ini文件不存在!"), std::string::npos) << r.err;

  r = runCli({"--skins", skins, "profile", "fly"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("unknown command 'profile fly'"), std::string::npos);
  r = runCli({"--colour", "x", "profile", "show"});
  EXPECT_EQ(r.exitCode, 2);
  r = runCli({"--skins"});
  EXPECT_EQ(r.exitCode, 2);
}

TEST_F(ProfileCommandsTest, ExportImportAndResetReportTheirOutcome) {
  const std::string exported = (dir / "saved.ini").string();
  EXPECT_EQ(runCli({"--skins", skins, "profile", "export", exported}).exitCode, 0);
  EXPECT_EQ(test::readFile(exported), test::readFile(paths.configFile));

  auto r = runCli({"--skins", skins, "profile", "import", (dir / "missing.ini").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Error!\ntarvosk-cli: cannot read " + (dir / "missing.ini").string() +
                       " (missing, not a regular file or larger than 64 MiB)\n");

  // Not a configuration: refused, and the user's file stays.
  const std::string configBefore = test::readFile(paths.configFile);
  writeFile(dir / "old.ini", "[Init]\nConfigName1=A\n");
  r = runCli({"--skins", skins, "profile", "import", (dir / "old.ini").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "File version error!\ntarvosk-cli: " + paths.configFile.string() + " is unchanged\n");
  EXPECT_EQ(test::readFile(paths.configFile), configBefore);

  EXPECT_EQ(runCli({"--skins", skins, "profile", "import", exported}).exitCode, 0);
  r = runCli({"--skins", skins, "profile", "reset"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(runCli({"--skins", skins, "profile", "show"}).out.find("buttonFunction[2] = 1 2 3 4 5 6\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tarvosk
