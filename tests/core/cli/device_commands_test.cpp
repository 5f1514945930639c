// devices and status, and the device options, through the built tarvosk-cli.

#include <gtest/gtest.h>

#include "cli_runner.h"
#include "device/settings_upload.h"
#include "platform/profile_file.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::runCli;

class DeviceCommandsTest : public ::testing::Test {
 protected:
  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  std::string skins = paths.skinsFolder.string();
};

TEST_F(DeviceCommandsTest, StatusPrintsWhatTheSimulatedMouseAnswersAndTracesTheExchange) {
  const auto r = runCli({"--skins", skins, "--device", "sim", "--sim-macro-memory", "4088", "--sim-profile", "3",
                         "--sim-status-nibble", "12", "--trace", "-", "status"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "PAUSE 5\n"
            "GET 07 00 00 00 00 00 0e 0c\n"
            "macroMemory = 4088\n"
            "activeProfile = 3\n"
            "statusNibble = 12\n");
}

TEST_F(DeviceCommandsTest, StatusOfTheDefaultSimulatedMouse) {
  const auto trace = dir / "trace.txt";
  const auto r = runCli({"--skins", skins, "--device", "sim", "--trace", trace.string(), "status"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "macroMemory = 2040\nactiveProfile = 0\nstatusNibble = 0\n");
  EXPECT_EQ(test::readFile(trace), "PAUSE 5\nGET 07 00 00 00 00 00 00 00\n");
}

TEST_F(DeviceCommandsTest, LeaveSendsExactlyTheLeaveCommand) {
  const auto r = runCli({"--skins", skins, "--device", "sim", "--trace", "-", "leave"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "SET 07 20 00 00 00 00 00 00\n");
}

// The mouse unplugged at leave and inside the first block of an apply: exit 1 with a line that
// says what the mouse did not take; the apply still saves the settings, and nothing hangs.
TEST_F(DeviceCommandsTest, AMouseThatFailsIsToldAndGivesExitOne) {
  auto r = runCli({"--skins", skins, "--device", "sim", "--sim-fail-after", "0", "leave"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("the mouse did not take the leave command"), std::string::npos) << r.err;

  ASSERT_TRUE(ProfileFile(paths.configFile).writeInt("Init", "CurConfig", 2));
  r = runCli({"--skins", skins, "--device", "sim", "--sim-fail-after", "4", "--dump-memory",
              (dir / "memory.bin").string(), "apply"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(kMouseDidNotTakeSettingsMessage), std::string::npos) << r.err;
  EXPECT_EQ(test::readFile(dir / "memory.bin"), std::string(65536, '\0')) << "no block was committed";
  EXPECT_EQ(ProfileFile(paths.configFile).readInt("Init", "CurConfig", -1), 2);

  r = runCli({"--skins", skins, "--sim-fail-after", "0", "leave"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--sim-fail-after needs --device sim"), std::string::npos) << r.err;
}

TEST_F(DeviceCommandsTest, DevicesListsEveryCollectionOfTheMouse) {
  const auto r = runCli({"--skins", skins, "--device", "sim", "devices"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "sim:mouse 18f8:13c0 usagePage=0x0001 usage=0x0002 input=8 feature=0\n"
            "sim:mouse 18f8:13c0 usagePage=0xff00 usage=0x0001 input=8 feature=0\n"
            "sim:mouse 18f8:13c0 usagePage=0xff01 usage=0x0001 input=0 feature=8\n");
}

TEST_F(DeviceCommandsTest, DumpMemoryWritesAllOfTheSimulatedMemory) {
  const auto dump = dir / "memory.bin";
  const auto r = runCli({"--skins", skins, "--device", "sim", "--dump-memory", dump.string(), "status"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string bytes = test::readFile(dump);
  EXPECT_EQ(bytes.size(), 65536u);
  EXPECT_EQ(bytes.find_first_not_of('\0'), std::string::npos);
}

struct BadOptions {
  const char* name;
  std::vector<std::string> args;
  const char* message;
};

class DeviceOptionErrors : public ::testing::TestWithParam<BadOptions> {};

TEST_P(DeviceOptionErrors, AreRefusedWithAMessage) {
  test::ScratchDir dir;
  const Paths paths = test::scratchPaths(dir.path(), true);
  std::vector<std::string> args = {"--skins", paths.skinsFolder.string()};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  args.push_back("status");
  const auto r = runCli(args);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceOptionErrors,
    ::testing::Values(
        BadOptions{"unknown_device", {"--device", "usb"}, "--device takes auto or sim, not 'usb'"},
        BadOptions{
            "memory_size", {"--device", "sim", "--sim-macro-memory", "3000"}, "--sim-macro-memory takes 2040 or 4088"},
        BadOptions{"memory_not_a_number", {"--device", "sim", "--sim-macro-memory", "2040x"}, "takes 2040 or 4088"},
        BadOptions{"nibble_too_big", {"--device", "sim", "--sim-status-nibble", "16"}, "from 0 to 15, not '16'"},
        BadOptions{"negative_profile", {"--device", "sim", "--sim-profile", "-1"}, "from 0 to 3, not '-1'"},
        BadOptions{"sim_option_without_sim", {"--sim-profile", "2"}, "--sim-profile needs --device sim"},
        BadOptions{"dump_without_sim", {"--dump-memory", "x.bin"}, "--dump-memory needs --device sim"},
        BadOptions{"trace_unwritable",
                   {"--device", "sim", "--trace", "/nonexistent/dir/t.txt"},
                   "cannot write the trace file"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceCommandsTest, OneWordCommandsTakeNoArguments) {
  const auto r = runCli({"--skins", skins, "--device", "sim", "status", "now"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("usage: tarvosk-cli"), std::string::npos);
}

}  // namespace
}  // namespace tarvosk
