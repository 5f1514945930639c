// Damaged and hostile files met by the command-line tool, each as the smallest file that showed
// the fault: the tool reads what can be recognised, says what it could not, never blocks, never
// writes while only reading, and never loses the user's file.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "cli_runner.h"
#include "macro/macro_library.h"
#include "platform/profile_file.h"
#include "replace_fault.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::runCli;
using test::writeFile;

class HostileFilesTest : public ::testing::Test {
 protected:
  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  std::string skins = paths.skinsFolder.string();

  std::string line(const std::string& out, const std::string& name) {
    const std::size_t at = out.find(name + " = ");
    return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
  }
};

TEST_F(HostileFilesTest, AHugeUserColourValueGivesItsLowByte) {
  writeFile(paths.configFile, "[ShareData]\nLED_USER0_R=134217728\nLED_USER0_G=268435455\nLED_USER0_B=0\n");
  const auto r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(r.exitCode, 0) << r.err;  // under the sanitizers the old product aborted here
  EXPECT_EQ(line(r.out, "ledUserColorRgb").substr(0, 27), "ledUserColorRgb = 16715775 ");  // 0xFF0FFF
}

TEST_F(HostileFilesTest, AFifoInPlaceOfTheConfigurationNeverBlocks) {
  fs::remove(paths.configFile);
  ASSERT_EQ(::mkfifo(paths.configFile.c_str(), 0600), 0);
  auto r = runCli({"--skins", skins, "macro", "groups"});  // VER_SEL reads as 0: the second language
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0\tEscrit\xC3\xB3rio\t8\n1\tJogos\t4\n");
  r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(r.exitCode, 1);
}

TEST_F(HostileFilesTest, ListingGroupsNeverRewritesTheIndex) {
  const fs::path folder = paths.macroFolder(kLanguageEnglish);
  fs::remove(groupFile(folder, "Office"));
  const std::string index = readFile(groupIndexFile(folder));
  const auto r = runCli({"--skins", skins, "macro", "groups", "--language", "english"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0\tGaming\t4\n");  // as the program would show it
  EXPECT_NE(r.err.find("\"Office\" has no file"), std::string::npos) << r.err;
  EXPECT_EQ(readFile(groupIndexFile(folder)), index);  // and the file is as it was
}

TEST_F(HostileFilesTest, AnUnusableFactoryFileIsRefusedAndAPartialOneResetsWhatItHas) {
  const std::string before = readFile(paths.configFile);
  writeFile(paths.factoryConfigFile, std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  auto r = runCli({"--skins", skins, "profile", "reset"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("configReset.ini holds none of the settings' keys"), std::string::npos) << r.err;
  EXPECT_EQ(readFile(paths.configFile), before);

  writeFile(paths.factoryConfigFile, "[Config0]\nK0=7\n[ShareData]\nFIRE_TIME=33\n");
  r = runCli({"--skins", skins, "profile", "reset"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(line(r.out, "buttonFunction[0]"), "buttonFunction[0] = 7 0 0 0 0 0");
  EXPECT_EQ(line(r.out, "fireTime"), "fireTime = 33");
}

TEST_F(HostileFilesTest, BareCrConfigurationReadsAndAKeylessOneIsNeverUploaded) {
  std::string crlf = readFile(paths.configFile);
  std::string cr;
  for (std::size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
    cr += crlf[i] == '\n' ? '\r' : crlf[i];
  }
  const auto shipped = runCli({"--skins", skins, "profile", "show"});
  writeFile(paths.configFile, cr);
  auto r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, shipped.out);  // the same settings as the CR LF file

  writeFile(paths.configFile, "settings went here\n");
  r = runCli({"--skins", skins, "--device", "sim", "apply"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("holds none of the settings' keys"), std::string::npos) << r.err;
  EXPECT_EQ(readFile(paths.configFile), "settings went here\n");
}

TEST_F(HostileFilesTest, Utf16WithoutMarkAndDoubledMarksAreReadAndTold) {
  const std::string shipped = readFile(paths.configFile);
  const auto expected = runCli({"--skins", skins, "profile", "show"});
  std::string utf16;
  for (char c : shipped) utf16 += std::string{c, '\0'};  // the shipped file is ASCII
  writeFile(paths.configFile, utf16);
  auto r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(r.out, expected.out);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("UTF-16 without a byte-order mark"), std::string::npos) << r.err;

  writeFile(paths.configFile, "\xEF\xBB\xBF\xEF\xBB\xBF" + shipped);
  r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(r.out, expected.out);  // the first section (and the language in it) is kept
  ASSERT_EQ(runCli({"--skins", skins, "--device", "sim", "apply"}).exitCode, 0);
  const std::string after = readFile(paths.configFile);
  EXPECT_EQ(after.substr(0, 4), "\xEF\xBB\xBF[");  // one mark left, the language unchanged
  r = runCli({"--skins", skins, "profile", "show"});
  EXPECT_EQ(line(r.out, "language"), line(expected.out, "language"));
  EXPECT_EQ(line(r.out, "profileName"), line(expected.out, "profileName"));
}

TEST_F(HostileFilesTest, MacroCheckTellsAboutFilesThatAreNoMacroFiles) {
  writeFile(dir / "empty.dat", "");
  auto r = runCli({"--skins", skins, "macro", "check", (dir / "empty.dat").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "file: it is empty; the program reads it as a group without macros\n");
  writeFile(dir / "notes.dat", "shopping list\nmilk\n");
  r = runCli({"--skins", skins, "macro", "check", (dir / "notes.dat").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("it is not a macro file"), std::string::npos) << r.out;
}

TEST_F(HostileFilesTest, MissingMacroFilesAreToldAndTheImageStillComes) {
  const fs::path program = dir / "prog" / "tarvosk-cli";  // no constMacro.dat beside this copy
  fs::create_directories(program.parent_path());
  fs::copy_file(test::cliPath(), program);
  ASSERT_TRUE(ProfileFile(paths.configFile).writeInt("Config0", "K1", 256));  // group 0, macro 0
  auto r = test::runCliProgram(program.string(), {"--skins", skins, "image"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("no built-in macro file"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 8);

  fs::remove(groupIndexFile(paths.macroFolder(kLanguageEnglish)));
  fs::remove(groupIndexFile(paths.macroFolder(kLanguageSecond)));
  r = runCli({"--skins", skins, "image"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("no macro group index"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("button 2: user macro 0:0 no longer exists"), std::string::npos) << r.err;
}

TEST_F(HostileFilesTest, ExportWritesThroughLinksAndDevicesAndSavesKeepTheMode) {
  writeFile(dir / "target.ini", "");
  fs::create_symlink(dir / "target.ini", dir / "link.ini");
  auto r = runCli({"--skins", skins, "profile", "export", (dir / "link.ini").string()});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
  EXPECT_EQ(readFile(dir / "target.ini"), readFile(paths.configFile));
  EXPECT_EQ(runCli({"--skins", skins, "profile", "export", "/dev/null"}).exitCode, 0);
  EXPECT_FALSE(fs::is_regular_file("/dev/null"));

  ASSERT_EQ(::chmod(paths.configFile.c_str(), 0600), 0);
  ASSERT_EQ(runCli({"--skins", skins, "profile", "reset"}).exitCode, 0);
  struct stat st {};
  ASSERT_EQ(::stat(paths.configFile.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

// A read-only configuration folder (the tool runs as nobody when the tests run as root, whom
// no folder stops): apply, import and reset exit 1 with a message and leave config.ini as it was.
TEST_F(HostileFilesTest, AReadOnlyConfigurationFolderGivesAMessage) {
  ASSERT_TRUE(ProfileFile(paths.configFile).writeInt("Config0", "K1", 33));  // a reset has to write
  std::string other = readFile(paths.configFile);
  other.replace(other.find("FIRE_TIME="), 10, "FIRE_TIME=7");
  writeFile(dir / "other.ini", other);
  const std::string before = readFile(paths.configFile);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(paths.configFolder.c_str(), 0555), 0);
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const Case cases[] = {
      {{"--skins", skins, "profile", "reset"}, "could not be written to config.ini"},
      {{"--skins", skins, "profile", "import", (dir / "other.ini").string()}, "config.ini could not be written"},
      {{"--skins", skins, "--device", "sim", "apply"}, "could not be saved to the configuration file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[2]);
    const auto r = test::runCliUnprivileged(c.args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(readFile(paths.configFile), before);
  }
  ::chmod(paths.configFolder.c_str(), 0755);
}

// Importing a file far larger than any configuration (refused unread) or a binary one (no key
// of the settings): exit 1, a line that says why, config.ini as it was.
TEST_F(HostileFilesTest, ImportOfAHugeOrBinaryFileKeepsTheConfiguration) {
  const std::string before = readFile(paths.configFile);
  writeFile(dir / "huge.ini", "[Init]\nConfigName1_EN=A\n");
  fs::resize_file(dir / "huge.ini", (std::size_t{64} << 20) + 1);  // sparse
  auto r = runCli({"--skins", skins, "profile", "import", (dir / "huge.ini").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("larger than 64 MiB"), std::string::npos) << r.err;
  std::string binary("\x89PNG\r\n\x1A\n", 8);
  for (int i = 0; i < 20000; ++i) binary += static_cast<char>(i * 131 % 256);
  writeFile(dir / "picture.ini", binary);
  r = runCli({"--skins", skins, "profile", "import", (dir / "picture.ini").string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("File version error!"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("is unchanged"), std::string::npos) << r.err;
  EXPECT_EQ(readFile(paths.configFile), before);
}

// A full disk (every file the tool writes limited to 1000 bytes; config.ini is larger) while
// applying, importing and resetting: exit 1, a line that says config.ini was not written, the old
// file byte for byte and no temporary file beside it.
TEST_F(HostileFilesTest, AFullDiskLeavesTheConfigurationWholeAndSaysSo) {
  std::string edited = readFile(paths.configFile);
  const std::size_t fire = edited.find("FIRE_TIME=");
  ASSERT_NE(fire, std::string::npos);
  edited.erase(fire, edited.find('\n', fire) + 1 - fire);  // apply writes the missing key back
  writeFile(paths.configFile, edited);
  ASSERT_TRUE(ProfileFile(paths.configFile).writeInt("Config0", "K1", 33));  // a reset has to write
  std::string other = edited;
  other.replace(other.find("[Init]"), 6, "[Init]\nConfigName1_EN=Other");
  writeFile(dir / "other.ini", other);
  const std::string before = readFile(paths.configFile);
  ASSERT_GT(before.size(), 1000u);
  const auto entries = test::folderEntries(paths.configFolder);

  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const Case cases[] = {
      {{"--skins", skins, "--device", "sim", "apply"}, "could not be saved to the configuration file"},
      {{"--skins", skins, "profile", "import", (dir / "other.ini").string()}, "config.ini could not be written"},
      {{"--skins", skins, "profile", "reset"}, "could not be written to config.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[2]);
    const auto r = test::runCliWithFileSizeLimit(1000, c.args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(readFile(paths.configFile), before);
    EXPECT_EQ(test::folderEntries(paths.configFolder), entries);
  }
  EXPECT_EQ(runCli({"--skins", skins, "--device", "sim", "apply"}).exitCode, 0);  // with room, it goes through
  EXPECT_NE(readFile(paths.configFile).find("FIRE_TIME="), std::string::npos);
}

}  // namespace
}  // namespace tarvosk
