// Reading and replacing data files: never blocking on what is not a regular file, never tearing
// a file, keeping its mode, owner and the links that point at it.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_replace.h"
#include "platform/profile_file.h"
#include "replace_fault.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::ScratchDir;
using test::writeFile;

mode_t modeOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

TEST(FileReplace, KeepsThePermissionsOfTheReplacedFile) {
  ScratchDir dir;
  const auto path = dir / "config.ini";
  writeFile(path, "[Init]\nCurConfig=0\n");
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  ASSERT_TRUE(ProfileFile(path).writeInt("Init", "CurConfig", 2));
  EXPECT_EQ(modeOf(path), 0600u);
  EXPECT_EQ(readFile(path), "[Init]\nCurConfig=2\n");
}

TEST(FileReplace, WritesThroughASymbolicLinkAndKeepsTheLink) {
  ScratchDir dir;
  fs::create_directory(dir / "real");
  writeFile(dir / "real" / "config.ini", "[Init]\nCurConfig=0\n");
  fs::create_symlink(dir / "real" / "config.ini", dir / "link.ini");
  ASSERT_TRUE(ProfileFile(dir / "link.ini").writeInt("Init", "CurConfig", 3));
  EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
  EXPECT_EQ(readFile(dir / "real" / "config.ini"), "[Init]\nCurConfig=3\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 1);  // no temporary left
}

TEST(FileReplace, NeverBlocksOnAFifoAndWritesThroughDevices) {
  ScratchDir dir;
  const auto fifo = dir / "config.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(readRegularFile(fifo));  // returns at once instead of waiting for a writer
  EXPECT_FALSE(IniDocument::load(fifo));
  EXPECT_FALSE(replaceFileContents(fifo, "x"));  // no reader: refused, not blocked
  EXPECT_FALSE(ProfileFile(fifo).writeInt("Init", "CurConfig", 1));
  EXPECT_TRUE(replaceFileContents("/dev/null", "[Init]\n"));  // written through, the node stays
  EXPECT_FALSE(fs::is_regular_file("/dev/null"));
  EXPECT_FALSE(readRegularFile(dir.path()));
  EXPECT_FALSE(replaceFileContents(dir.path(), "x"));
}

TEST(FileReplace, RefusesFilesLargerThanTheLimit) {
  ScratchDir dir;
  const auto path = dir / "big.ini";
  writeFile(path, std::string(100, 'x'));
  EXPECT_FALSE(readRegularFile(path, 99));
  EXPECT_EQ(readRegularFile(path, 100), std::string(100, 'x'));
}

TEST(FileReplace, AFailedReplacementLeavesTheOldFileAndNoTemporary) {
  ScratchDir dir;
  const auto path = dir / "config.ini";
  writeFile(path, "old");
  ::chmod(path.c_str(), 0444);
  if (::geteuid() != 0) {
    EXPECT_FALSE(replaceFileContents(path, "new"));
    EXPECT_EQ(readFile(path), "old");
  }
  EXPECT_FALSE(replaceFileContents(dir / "missing-folder" / "x.ini", "new"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

// A read-only folder and a disk that fills at the start, in the middle or just before the end of
// the new content: the replacement fails, the old file stays byte for byte and no temporary is
// left; a new file is not created at all.
TEST(FileReplace, InjectedFaultsLeaveTheOldFileWholeAndNoTemporary) {
  const std::string old = "[Init]\r\nCurConfig=0\r\n";
  const std::string replacement(4096, 'n');
  const ReplaceFault faults[] = {test::readOnlyFolder(), test::diskFull(0), test::diskFull(1000), test::diskFull(4095)};
  for (const ReplaceFault& fault : faults) {
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(fault.kind) << ", " << fault.bytesBeforeFull
                                    << " bytes fit");
    ScratchDir dir;
    writeFile(dir / "config.ini", old);
    {
      test::ScopedReplaceFault inForce(fault);
      EXPECT_FALSE(replaceFileContents(dir / "config.ini", replacement));
      EXPECT_FALSE(replaceFileContents(dir / "new.ini", replacement));
      EXPECT_FALSE(ProfileFile(dir / "config.ini").writeString("Init", "Name", replacement));
    }
    EXPECT_EQ(readFile(dir / "config.ini"), old);
    EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"config.ini"});
    EXPECT_TRUE(replaceFileContents(dir / "config.ini", replacement));  // cleared: writes go through again
    EXPECT_EQ(readFile(dir / "config.ini"), replacement);
  }
}

TEST(FileReplace, AnInjectedFaultCanHitTheMiddleOfASequence) {
  ScratchDir dir;
  test::ScopedReplaceFault inForce(test::diskFull(3, 2));
  EXPECT_TRUE(replaceFileContents(dir / "a", "first"));
  EXPECT_TRUE(replaceFileContents(dir / "a", "second"));
  EXPECT_FALSE(replaceFileContents(dir / "a", "third"));
  EXPECT_TRUE(replaceFileContents(dir / "a", "abc"));  // what fits still fits
  EXPECT_EQ(readFile(dir / "a"), "abc");
  EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"a"});
}

}  // namespace
}  // namespace tarvosk
