#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"
#include "settings/language.h"
#include "skin/skin_layout.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::RecordingPrompter;
using test::ScratchDir;
using test::writeFile;

class SkinLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { paths = test::scratchPaths(scratch.path(), false); }

  void writeLayout(LayoutTable table, int32_t language, const std::string& text) {
    writeFile(layoutFilePath(paths, table, language), text);
  }

  ScratchDir scratch;
  Paths paths;
  RecordingPrompter prompter;
  SkinLayout layout;
};

TEST_F(SkinLayoutTest, FileNamesFollowTheLanguage) {
  struct Case {
    LayoutTable table;
    const char* english;
    const char* second;
  };
  const Case cases[] = {{LayoutTable::Main, "skin_main_en.ini", "skin_main.ini"},
                        {LayoutTable::Led, "skin_color_en.ini", "skin_color.ini"},
                        {LayoutTable::Advanced, "skin_advance_en.ini", "skin_advance.ini"},
                        {LayoutTable::Macro, "skin_mac_en.ini", "skin_mac.ini"},
                        {LayoutTable::Warning, "LBWarning_en.ini", "LBWarning.ini"}};
  for (const Case& c : cases) {
    EXPECT_EQ(layoutFilePath(paths, c.table, kLanguageEnglish), paths.skinsFolder / "INI_EN" / c.english);
    EXPECT_EQ(layoutFilePath(paths, c.table, kLanguageSecond), paths.skinsFolder / "INI_CN" / c.second);
  }
  // Any nonzero language is English.
  EXPECT_EQ(layoutFileName(LayoutTable::Main, 7), "skin_main_en.ini");
}

TEST_F(SkinLayoutTest, ReadsItemsFunctionNamesAndEditRectangles) {
  writeLayout(LayoutTable::Main, kLanguageEnglish,
              "[BUTTONPOS]\n"
              "3=apply,10,20,30,40,Apply,\n"
              "20=button 1,100,200,180,34,,\n"
              "[FUN_STRING]\n"
              "1=Left click\n"
              "2=Right click,ignored,fields\n"
              "47=Last\n"
              "[EDIT]\n"
              "0=name 1,94,144,160,24\n"
              "2=name 3,1,2,3,4,\n");
  ASSERT_EQ(loadMainLayout(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::Loaded);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(layout.main[3], (LayoutItem{10, 20, 30, 40, "Apply"}));
  EXPECT_EQ(layout.main[20], (LayoutItem{100, 200, 180, 34, ""}));
  EXPECT_EQ(layout.functionNames[1], "Left click");
  EXPECT_EQ(layout.functionNames[2], "Right click");
  EXPECT_EQ(layout.functionNames[47], "Last");
  EXPECT_EQ(layout.functionNames[0], "");
  EXPECT_EQ(layout.mainEdit[0], (LayoutRect{94, 144, 254, 168}));
  EXPECT_EQ(layout.mainEdit[1], LayoutRect{});
  EXPECT_EQ(layout.mainEdit[2], (LayoutRect{1, 2, 4, 6}));
}

TEST_F(SkinLayoutTest, MissingKeysGiveZeroItemsWithoutAMessage) {
  writeLayout(LayoutTable::Led, kLanguageEnglish, "[BUTTONPOS]\n35=mode,46,146,200,34,Mode,\n");
  ASSERT_EQ(loadLedLayout(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::Loaded);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(layout.led[34], LayoutItem{});
  EXPECT_EQ(layout.led[102], LayoutItem{});
  EXPECT_FALSE(layout.led[102].hasArea());
  EXPECT_EQ(layout.led[35].caption, "Mode");
}

TEST_F(SkinLayoutTest, SevenCommasWarnOnceAndLoseTheTailOfTheCaption) {
  writeLayout(LayoutTable::Warning, kLanguageSecond, "[BUTTONPOS]\n0=ok,1,2,3,4,Sim,mas,não\n1=x,5,6,7,8,Não,\n");
  ASSERT_EQ(loadWarningLayout(paths, kLanguageSecond, prompter, layout), LayoutLoadResult::Loaded);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], kLayoutValueMalformedMessage);
  EXPECT_EQ(layout.warning[0], (LayoutItem{1, 2, 3, 4, "Sim"}));
  EXPECT_EQ(layout.warning[1], (LayoutItem{5, 6, 7, 8, "Não"}));
}

TEST_F(SkinLayoutTest, GeometryIsParsedLeniently) {
  struct Case {
    const char* field;
    int32_t value;
  };
  const Case cases[] = {{"15", 15}, {"  15", 15}, {"\t15", 15}, {"15px", 15}, {"abc", 0},
                        {"", 0},    {"-7", -7},   {"+3", 3},    {"1 2", 1},   {"99999999999", 2147483647}};
  for (const Case& c : cases) {
    writeLayout(LayoutTable::Macro, kLanguageEnglish, std::string("[BUTTONPOS]\n5=rec,") + c.field + ",0,0,0,,\n");
    ASSERT_EQ(loadMacroLayout(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::Loaded);
    EXPECT_EQ(layout.macro[5].x, c.value) << "field \"" << c.field << "\"";
  }
}

TEST_F(SkinLayoutTest, MacroPageReadsEditAndDisplayRectangles) {
  writeLayout(LayoutTable::Macro, kLanguageEnglish,
              "[EDIT]\n0=g,46,148,200,26\n1=n,446,124,200,26\n2=r,772,166,44,26\n"
              "[MACRODISPLAY]\n0=not read,1,1,1,1\n1=names,46,286,240,170\n3=lights,668,234,148,296\n");
  ASSERT_EQ(loadMacroLayout(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::Loaded);
  EXPECT_EQ(layout.macroEdit[0], (LayoutRect{46, 148, 246, 174}));
  EXPECT_EQ(layout.macroEdit[2], (LayoutRect{772, 166, 816, 192}));
  EXPECT_EQ(layout.macroDisplay[0], LayoutRect{});
  EXPECT_EQ(layout.macroDisplay[1], (LayoutRect{46, 286, 286, 456}));
  EXPECT_EQ(layout.macroDisplay[2], LayoutRect{});
  EXPECT_EQ(layout.macroDisplay[3], (LayoutRect{668, 234, 816, 530}));
}

TEST_F(SkinLayoutTest, LongValuesAreCutAtTheReadBuffer) {
  const std::string caption(400, 'c');
  writeLayout(LayoutTable::Advanced, kLanguageEnglish, "[BUTTONPOS]\n0=l,1,2,3,4," + caption + "\n");
  ASSERT_EQ(loadAdvancedLayout(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::Loaded);
  // 259 characters in all, of which "l,1,2,3,4," take ten.
  EXPECT_EQ(layout.advanced[0].caption, std::string(249, 'c'));
}

TEST_F(SkinLayoutTest, MissingFileIsReportedOnceAndLeavesTheTableEmpty) {
  writeLayout(LayoutTable::Main, kLanguageSecond, "[BUTTONPOS]\n3=apply,10,20,30,40,Aplicar,\n");
  ASSERT_EQ(loadMainLayout(paths, kLanguageSecond, prompter, layout), LayoutLoadResult::Loaded);
  ASSERT_EQ(loadMainLayout(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::FileMissing);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], kLayoutFileMissingMessage);
  EXPECT_EQ(layout.main[3], LayoutItem{});
}

TEST_F(SkinLayoutTest, UnreadableFileCountsAsMissing) {
  // A folder where the file should be: it exists but cannot be read as a file.
  std::filesystem::create_directories(layoutFilePath(paths, LayoutTable::Led, kLanguageEnglish));
  EXPECT_EQ(loadLedLayout(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::FileMissing);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kLayoutFileMissingMessage)});
}

TEST_F(SkinLayoutTest, SwitchingLanguageReplacesEveryEntry) {
  writeLayout(LayoutTable::Main, kLanguageEnglish,
              "[BUTTONPOS]\n3=apply,10,20,30,40,Apply,\n14=import,1,1,5,5,Import,\n"
              "[FUN_STRING]\n1=Left click\n22=Home\n[EDIT]\n1=n,1,1,1,1\n");
  writeLayout(LayoutTable::Main, kLanguageSecond,
              "[BUTTONPOS]\n3=apply,11,21,31,41,Aplicar,\n[FUN_STRING]\n1=Clique\n");
  ASSERT_EQ(loadMainLayout(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::Loaded);
  ASSERT_EQ(loadMainLayout(paths, kLanguageSecond, prompter, layout), LayoutLoadResult::Loaded);
  EXPECT_EQ(layout.main[3], (LayoutItem{11, 21, 31, 41, "Aplicar"}));
  EXPECT_EQ(layout.main[14], LayoutItem{});
  EXPECT_EQ(layout.functionNames[1], "Clique");
  EXPECT_EQ(layout.functionNames[22], "");
  EXPECT_EQ(layout.mainEdit[1], LayoutRect{});
}

TEST_F(SkinLayoutTest, LoadingAllTablesReportsOnlyTheFirstMissingFile) {
  writeLayout(LayoutTable::Main, kLanguageEnglish, "[BUTTONPOS]\n3=apply,10,20,30,40,Apply,\n");
  layout.warning[0] = LayoutItem{1, 1, 1, 1, "old"};
  EXPECT_EQ(loadAllLayouts(paths, kLanguageEnglish, prompter, layout), LayoutLoadResult::FileMissing);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kLayoutFileMissingMessage)});
  EXPECT_EQ(layout.main[3].caption, "Apply");
  EXPECT_EQ(layout.warning[0], LayoutItem{});
}

TEST_F(SkinLayoutTest, LoadingAllTablesSucceedsWhenEveryFileExists) {
  for (LayoutTable table :
       {LayoutTable::Main, LayoutTable::Led, LayoutTable::Advanced, LayoutTable::Macro, LayoutTable::Warning}) {
    writeLayout(table, kLanguageSecond, "[BUTTONPOS]\n0=x,1,2,3,4,Zero,\n");
  }
  EXPECT_EQ(loadAllLayouts(paths, kLanguageSecond, prompter, layout), LayoutLoadResult::Loaded);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(layout.main[0].caption, "Zero");
  EXPECT_EQ(layout.led[0].caption, "Zero");
  EXPECT_EQ(layout.advanced[0].caption, "Zero");
  EXPECT_EQ(layout.macro[0].caption, "Zero");
  EXPECT_EQ(layout.warning[0].caption, "Zero");
}

}  // namespace
}  // namespace tarvosk
