#include <gtest/gtest.h>

#include <set>

#include "macro/factory_macros.h"
#include "macro/macro_check.h"
#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "platform/text.h"
#include "settings/language.h"
#include "test_support.h"

namespace tarvosk {
namespace {

namespace fs = std::filesystem;
using test::RecordingPrompter;

fs::path shippedDataDir() { return test::shippedSkinsDir().parent_path(); }

std::set<fs::path> filesUnder(const fs::path& root) {
  std::set<fs::path> files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) files.insert(fs::relative(e.path(), root));
  }
  return files;
}

// Every key pressed is released again, and nothing is released that was not held.
void expectBalanced(const MacroRecord& m, const std::string& what) {
  std::multiset<uint8_t> held;
  for (int i = 0; i < m.eventCount; ++i) {
    const uint8_t c = m.eventCode[static_cast<std::size_t>(i)];
    if (m.eventType[static_cast<std::size_t>(i)] == type::kPress) held.insert(c);
    if (m.eventType[static_cast<std::size_t>(i)] == type::kRelease) {
      ASSERT_TRUE(held.count(c)) << what << ": event " << i << " releases a key that is not held";
      held.erase(held.find(c));
    }
  }
  EXPECT_TRUE(held.empty()) << what << ": keys left held";
}

void expectPlayable(const MacroRecord& m, int32_t language, const std::string& what) {
  EXPECT_GT(m.eventCount, 0) << what;
  EXPECT_GE(m.repeatCount, 1) << what;
  EXPECT_FALSE(macroNameText(m).empty()) << what;
  const MacroIssues issues = checkMacro(m, language);
  EXPECT_TRUE(issues.empty()) << what << ": " << issues.front();
  expectBalanced(m, what);
}

TEST(ShippedMacros, FilesAreExactlyWhatTheFactoryDefinitionsWrite) {
  test::ScratchDir dir;
  ASSERT_TRUE(writeFactoryMacroData(dir.path()));
  const fs::path shipped = shippedDataDir();
  const char* regenerate = "differs from the definitions: run build/bin/macrogen data";
  EXPECT_TRUE(test::readFile(dir / "constMacro.dat") == test::readFile(shipped / "constMacro.dat"))
      << "constMacro.dat " << regenerate;
  for (const char* language : {"INI_EN", "INI_CN"}) {
    for (const char* folder : {"macro", "macroReset"}) {
      const fs::path generated = dir.path() / "skins" / language / folder;
      const fs::path committed = shipped / "skins" / language / folder;
      ASSERT_EQ(filesUnder(generated), filesUnder(committed)) << committed;
      for (const fs::path& file : filesUnder(generated)) {
        EXPECT_TRUE(test::readFile(generated / file) == test::readFile(committed / file))
            << committed / file << ' ' << regenerate;
      }
    }
  }
}

TEST(ShippedMacros, BuiltInTableHoldsTheMenuMacrosFirst) {
  BuiltInMacroTable table;
  RecordingPrompter prompter;
  MacroIssues issues;
  ASSERT_TRUE(readBuiltInMacros(shippedDataDir() / "constMacro.dat", kLanguageEnglish, table, prompter, &issues));
  EXPECT_TRUE(issues.empty()) << issues.front();
  ASSERT_EQ(table.count, kMacroSlots);
  const std::vector<std::string> menuNames = {"Copy", "Paste",     "Cut",      "Undo",
                                              "Redo", "SelectAll", "Burst x3", "Rapid x5"};
  for (std::size_t i = 0; i < menuNames.size(); ++i) EXPECT_EQ(macroNameText(table.slots[i]), menuNames[i]);
  for (int i = 0; i < kMacroSlots; ++i) {
    const MacroRecord& m = table.slots[static_cast<std::size_t>(i)];
    EXPECT_EQ(macroNameText(m), kBuiltInMacroNames[static_cast<std::size_t>(i)]);
    EXPECT_LE(utf16Length(macroNameText(m)), static_cast<std::size_t>(kMacroNameMaxChars));
    // The built-in reader sees only the first 130 events; a built-in macro must fit in them.
    EXPECT_LT(m.eventCount, 130);
    EXPECT_EQ(m.ledCount, 0);
    for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
      expectPlayable(m, language, "built-in " + std::to_string(i));
    }
  }
}

TEST(ShippedMacros, FactoryLibrariesAreTheInitialLibrariesAndPlayable) {
  const fs::path skins = test::shippedSkinsDir();
  for (int32_t language : {kLanguageEnglish, kLanguageSecond}) {
    const Paths paths = portablePaths(shippedDataDir(), skins);
    EXPECT_EQ(filesUnder(paths.macroFolder(language)), filesUnder(paths.macroResetFolder(language)));
    RecordingPrompter prompter;
    MacroLibrary lib;
    MacroIssues issues;
    // Read a copy: reading an index may rewrite it.
    test::ScratchDir dir;
    ASSERT_TRUE(copyFolder(paths.macroResetFolder(language), dir.path()));
    ASSERT_TRUE(readGroupIndex(dir.path(), lib, prompter, &issues));
    EXPECT_TRUE(issues.empty());
    EXPECT_GE(lib.groupCount, 1);
    for (int g = 0; g < lib.groupCount; ++g) {
      EXPECT_TRUE(isUsableGroupName(lib.groupNames[static_cast<std::size_t>(g)]));
      const fs::path file = groupFile(dir.path(), lib.groupNames[static_cast<std::size_t>(g)]);
      const auto fileIssues = checkMacroFile(file, language);
      ASSERT_TRUE(fileIssues.has_value());
      EXPECT_TRUE(fileIssues->empty()) << file << ": " << fileIssues->front();
      MacroStore store;
      ASSERT_TRUE(readGroupFile(file, language, store, prompter));
      EXPECT_GE(store.count, 1);
      for (int i = 0; i < store.count; ++i) {
        expectPlayable(store.slots[static_cast<std::size_t>(i)], language,
                       lib.groupNames[static_cast<std::size_t>(g)] + " " + std::to_string(i));
      }
    }
    EXPECT_TRUE(prompter.messages.empty());
  }
}

}  // namespace
}  // namespace tarvosk
