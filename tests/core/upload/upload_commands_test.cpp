// tarvosk-cli apply and image against the shipped data and the simulated mouse.

#include <gtest/gtest.h>

#include <sstream>

#include "cli_runner.h"
#include "platform/profile_file.h"
#include "settings/config_file.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::runCli;

class UploadCommandsTest : public ::testing::Test {
 protected:
  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  std::string skins = paths.skinsFolder.string();

  void setButton(int slot, int button, int code) {
    ASSERT_TRUE(
        ProfileFile(paths.configFile).writeInt("Config" + std::to_string(slot), "K" + std::to_string(button), code));
  }

  // The bytes the image command printed, by address; -1 for "--".
  static std::vector<int> parseImage(const std::string& out) {
    std::vector<int> bytes;
    std::istringstream lines(out);
    std::string line;
    int row = 0;
    while (std::getline(lines, line)) {
      char label[16];
      std::snprintf(label, sizeof label, "0x%02x:", row & 0xFF);
      EXPECT_EQ(line.substr(0, 5), label);
      EXPECT_EQ(line.size(), 5u + 16u * 3u) << line;
      for (int i = 0; i < 16; ++i) {
        const std::string cell = line.substr(6 + 3 * static_cast<std::size_t>(i), 2);
        bytes.push_back(cell == "--" ? -1 : std::stoi(cell, nullptr, 16));
      }
      row += 16;
    }
    return bytes;
  }

  std::string snapshot() {
    std::string all;
    for (const auto& e : std::filesystem::recursive_directory_iterator(paths.skinsFolder)) {
      if (e.is_regular_file()) all += e.path().string() + "\n" + test::readFile(e.path()) + "\n";
    }
    return all;
  }
};

TEST_F(UploadCommandsTest, ImagePrintsEightRowsWithUnwrittenBytesAsDashes) {
  const auto r = runCli({"--skins", skins, "--sim-status-nibble", "11", "image"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<int> bytes = parseImage(r.out);
  ASSERT_EQ(bytes.size(), 0x80u);
  for (int a : {0x00, 0x03, 0x04, 0x05, 0x06, 0x07}) EXPECT_EQ(bytes[a], -1) << a;
  EXPECT_EQ(bytes[0x01], 0x02);
  EXPECT_EQ(bytes[0x02], 0xA5);
  EXPECT_EQ(bytes[0x13], 0x3F);
  EXPECT_EQ(bytes[0x3A] & 0x0F, 11);
  EXPECT_EQ(bytes[0x43], 0xFD);
  for (int a = 0x44; a < 0x4A; ++a) EXPECT_EQ(bytes[a] & 0x1F, 0) << "slot 1 travels without functions";
}

TEST_F(UploadCommandsTest, ImageTranslatesButWritesNoFile) {
  setButton(0, 2, 0x700);  // a group that does not exist
  setButton(2, 1, 0x101);  // group 0, macro 1
  setButton(3, 0, 18);
  const std::string before = snapshot();
  const auto r = runCli({"--skins", skins, "image"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<int> bytes = parseImage(r.out);
  ASSERT_EQ(bytes.size(), 0x80u);
  EXPECT_EQ(bytes[0x0A] & 0x1F, 0) << "the dangling macro is dropped from the image";
  EXPECT_EQ(bytes[0x51] & 0x1F, 13);
  EXPECT_EQ(bytes[0x60] & 0x1F, 0);
  EXPECT_EQ(snapshot(), before) << "nothing on disk changed";
}

TEST_F(UploadCommandsTest, ImageRefusesABadNibble) {
  const auto r = runCli({"--skins", skins, "--sim-status-nibble", "16", "image"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("0 to 15"), std::string::npos) << r.err;
}

TEST_F(UploadCommandsTest, ApplyWritesWhatImageShowsAndSaves) {
  setButton(0, 3, 0x100);
  setButton(2, 3, 0x100);
  setButton(1, 0, 5);
  setButton(0, 4, 0x900);
  const auto shown = runCli({"--skins", skins, "--sim-status-nibble", "6", "image"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  const auto dump = dir / "memory.bin";
  const auto trace = dir / "trace.txt";
  const auto r = runCli({"--skins", skins, "--device", "sim", "--sim-status-nibble", "6", "--dump-memory",
                         dump.string(), "--trace", trace.string(), "apply"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<int> image = parseImage(shown.out);
  const std::string memory = test::readFile(dump);
  ASSERT_EQ(memory.size(), 65536u);
  for (int a = 0; a < 0x80; ++a) {
    EXPECT_EQ(static_cast<uint8_t>(memory[static_cast<std::size_t>(a)]), image[a] < 0 ? 0 : image[a]) << a;
  }
  // Both buttons point at the one copy of the macro at 0x240.
  const auto entry = [&](int slot, int key) { return memory.substr(0x80 + 8 * (14 * slot + key), 8); };
  EXPECT_EQ(static_cast<uint8_t>(entry(0, 3)[5]), 0x40);
  EXPECT_EQ(entry(0, 3), entry(2, 3));
  EXPECT_NE(memory[0x240], 0);

  const std::string lines = test::readFile(trace);
  EXPECT_EQ(lines.rfind("PAUSE 5\nGET ", 0), 0u) << "the start-up status query comes first";
  const std::string ending = "SET 07 18 10 00 00 00 00 00\nPAUSE 2\nSET 07 18 00 00 00 00 00 00\n";
  EXPECT_EQ(lines.substr(lines.size() - ending.size()), ending);

  SettingsRecord saved;
  test::RecordingPrompter prompter;
  ASSERT_TRUE(loadAtStartup(saved, paths, prompter));
  EXPECT_EQ(saved.buttonFunction[1][0], 0);
  EXPECT_EQ(saved.buttonFunction[0][4], 0) << "the dangling macro is gone from the file";
  EXPECT_EQ(saved.buttonFunction[0][3], 0x100);
}

TEST_F(UploadCommandsTest, ApplyWithoutAMouseFails) {
  const auto r = runCli({"--skins", skins, "--device", "auto", "apply"});
  EXPECT_EQ(r.exitCode, 1);
}

}  // namespace
}  // namespace tarvosk
