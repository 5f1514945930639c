// The macro page's writes on a read-only or full configuration folder: every operation that
// writes says so (writeFailed, or its message), and the library on disk stays exactly as it was,
// with no temporary or half-written file left beside it.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "macro/macro_manager.h"
#include "replace_fault.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;

// Every file of the folder with the size and a hash of its bytes (short enough to print).
std::map<std::string, std::pair<std::size_t, std::size_t>> snapshot(const fs::path& folder) {
  std::map<std::string, std::pair<std::size_t, std::size_t>> files;
  for (const std::string& name : test::folderEntries(folder)) {
    const std::string bytes = test::readFile(folder / name);
    files[name] = {bytes.size(), std::hash<std::string>{}(bytes)};
  }
  return files;
}

struct WriteCase {
  const char* name;
  std::function<ManagerResult(const MacroWorkspace&, const fs::path& outside)> run;
};

struct FaultCase {
  const char* name;
  ReplaceFault fault;
};

// The shipped English library in a scratch folder: "Office" (8 macros, current) and "Gaming".
class MacroFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::RecordingPrompter prompter;
    ASSERT_TRUE(readGroupIndex(folder, library, prompter));
    ASSERT_TRUE(loadGroup(folder, library, 0, kLanguageEnglish, store, prompter));
    ASSERT_EQ(store.count, 8);
  }

  test::ScratchDir dir;
  test::ScratchDir outside;
  Paths paths = test::scratchPaths(dir.path(), true);
  fs::path folder = paths.macroFolder(kLanguageEnglish);
  MacroLibrary library;
  MacroStore store;
  int current = 0;
  MacroWorkspace ws{folder, paths.macroResetFolder(kLanguageEnglish), kLanguageEnglish, library, store, current};
};

class MacroWriteFaultsTest : public MacroFolderTest,
                             public ::testing::WithParamInterface<std::tuple<WriteCase, FaultCase>> {};

TEST_P(MacroWriteFaultsTest, NothingOnDiskChangesAndTheFailureIsTold) {
  const auto& [write, fault] = GetParam();
  const auto before = snapshot(folder);
  ASSERT_GE(before.size(), 3u);  // the index and two group files
  ManagerResult result;
  {
    test::ScopedReplaceFault inForce(fault.fault);
    result = write.run(ws, outside.path());
  }
  EXPECT_TRUE(result.writeFailed || result.message) << "a failed write must not pass as done";
  EXPECT_EQ(snapshot(folder), before);
  // The list in memory still matches the folder: the index names the same groups.
  EXPECT_EQ(library.groupCount, readGroupList(folder, kLanguageEnglish).groupCount);
}

const WriteCase kWrites[] = {
    {"editedRepeatCount", [](const MacroWorkspace& ws, const fs::path&) { return repeatCountEdited(ws, "7"); }},
    {"newMacro", [](const MacroWorkspace& ws, const fs::path&) { return newMacro(ws); }},
    {"deleteMacro", [](const MacroWorkspace& ws, const fs::path&) { return deleteMacro(ws, 2, false); }},
    {"newGroup", [](const MacroWorkspace& ws, const fs::path&) { return newGroup(ws); }},
    {"importGroup",
     [](const MacroWorkspace& ws, const fs::path& outside) {
       fs::copy_file(groupFile(ws.macroFolder, "Gaming"), outside / "Extra.dat");
       return importGroup(ws, outside / "Extra.dat");
     }},
};

const FaultCase kFaults[] = {
    {"readOnlyFolder", test::readOnlyFolder()},
    {"diskFullAtOnce", test::diskFull(0)},
    {"diskFullAfter40Bytes", test::diskFull(40)},
};

INSTANTIATE_TEST_SUITE_P(Writes, MacroWriteFaultsTest,
                         ::testing::Combine(::testing::ValuesIn(kWrites), ::testing::ValuesIn(kFaults)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

// The group file is copied in, then the disk fills before the index names it: the copy goes
// again, so no file the index does not know is left behind.
TEST_F(MacroFolderTest, AnImportWhoseIndexCannotBeWrittenRemovesItsCopy) {
  const auto before = snapshot(folder);
  fs::copy_file(groupFile(folder, "Gaming"), outside / "Extra.dat");
  ManagerResult result;
  {
    test::ScopedReplaceFault inForce(test::diskFull(0, 1));  // the copy fits, nothing after it
    result = importGroup(ws, outside / "Extra.dat");
  }
  EXPECT_EQ(result.message, "Error!");
  EXPECT_TRUE(result.writeFailed);
  EXPECT_EQ(snapshot(folder), before);
  EXPECT_EQ(library.groupCount, 2);
}

// Import takes only what is a macro file and never copies more than the size limit.
TEST_F(MacroFolderTest, ImportRefusesBinaryHugeAndNonRegularFilesWithoutAnyWrite) {
  const auto before = snapshot(folder);

  test::writeFile(outside / "Binary.dat", std::string("\x7F"
                                                      "ELF\x02\x01\x01\0\0\0[Macros",
                                                      17));
  fs::resize_file(outside / "Binary.dat", 4096);
  test::writeFile(outside / "Huge.dat", "[Macros]\nmacroNum=0\n");
  fs::resize_file(outside / "Huge.dat", kMaxDataFileBytes + 1);  // sparse: no disk is filled
  fs::create_directory(outside / "Folder.dat");
  for (const char* name : {"Binary.dat", "Huge.dat", "Folder.dat"}) {
    SCOPED_TRACE(name);
    const ManagerResult result = importGroup(ws, outside / name);
    EXPECT_EQ(result.message, "Error!");
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(library.groupCount, 2);
  }
  EXPECT_EQ(snapshot(folder), before);

  test::writeFile(outside / "Empty.dat", "");  // an empty file is an empty group, as a new group's file is
  EXPECT_FALSE(importGroup(ws, outside / "Empty.dat").message);
  EXPECT_EQ(library.groupCount, 3);
}

}  // namespace
}  // namespace tarvosk
