#include <gtest/gtest.h>

#include <random>

#include "platform/profile_file.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::readFile;
using test::ScratchDir;
using test::testDataDir;
using test::writeFile;

std::filesystem::path golden(const char* name) { return testDataDir() / "ini" / name; }

TEST(ProfileFile, WritesFromNothingInCallOrder) {
  ScratchDir dir;
  ProfileFile file(dir / "new.ini");
  ASSERT_TRUE(file.writeInt("Init", "CurConfig", 0));
  ASSERT_TRUE(file.writeInt("Config0", "K0", 1));
  ASSERT_TRUE(file.writeInt("Init", "VER_SEL", 1));  // joins its section, not the end of the file
  ASSERT_TRUE(file.writeInt("ShareData", "DPI_LEVEL", 2));
  ASSERT_TRUE(file.writeInt("Config1", "K0", 5));
  EXPECT_EQ(readFile(file.path()), readFile(golden("from_nothing.ini")));
}

TEST(ProfileFile, EditsInPlaceKeepingEverythingElse) {
  ScratchDir dir;
  const auto path = dir / "edit.ini";
  std::filesystem::copy_file(golden("edit_before.ini"), path);
  ProfileFile file(path);
  ASSERT_TRUE(file.update([](IniDocument& doc) {
    doc.writeInt("INIT", "curconfig", 3);     // names match without regard to case; stored spelling kept
    doc.writeInt("Init", "VER_SEL", 1);       // appended after the section's last line, before the blank line
    doc.write("ShareData", "FIRE_TIME", "");  // an empty value keeps the key
    doc.writeInt("ShareData", "DPI_SET0", 4);
    doc.write("New", "A", "b c");  // a new section goes to the end
  }));
  EXPECT_EQ(readFile(path), readFile(golden("edit_after.ini")));  // CRLF endings kept
  EXPECT_EQ(file.readString("sharedata", "fire_time", "default", 10), "");
}

TEST(ProfileFile, ReadsLikeThePrivateProfileFunctions) {
  const IniDocument doc = IniDocument::parse(
      "[A]\nkey = 12345\nquoted=\"x y\"\nsingle='z'\nhalf=\"w\ndup=first\ndup=second\n; comment=1\n"
      "[a]\nother=in the second A\n[B]\nwide=\xF0\x9F\x98\x80\xF0\x9F\x98\x80\n");
  const struct {
    const char* section;
    const char* key;
    std::size_t buffer;
    const char* expected;
  } cases[] = {
      {"A", "KEY", 10, "12345"},
      {"A", "key", 5, "1234"},  // a buffer of 5 holds 4 characters
      {"A", "key", 1, ""},
      {"A", "key", 0, ""},
      {"A", "quoted", 20, "x y"},
      {"A", "single", 20, "z"},
      {"A", "half", 20, "\"w"},
      {"A", "dup", 20, "first"},
      {"A", "; comment", 20, "dflt"},
      {"A", "other", 20, "dflt"},            // only the first [A] counts
      {"B", "wide", 4, "\xF0\x9F\x98\x80"},  // 3 UTF-16 units: one whole character
      {"C", "key", 20, "dflt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(doc.readString(c.section, c.key, "dflt", c.buffer), c.expected) << c.section << '/' << c.key;
  }
  EXPECT_EQ(doc.readInt("A", "key", 5), 1234);
  EXPECT_EQ(doc.readInt("A", "missing", 5), 0);
}

TEST(ProfileFile, ReadsUtf16WithByteOrderMarkAndWritesUtf8) {
  ScratchDir dir;
  const auto path = dir / "utf16.ini";
  std::filesystem::copy_file(golden("utf16.ini"), path);
  ProfileFile file(path);
  EXPECT_EQ(file.readString("Init", "ConfigName1", "", 15), "Resposta do Bo");
  EXPECT_EQ(file.readInt("Init", "VER_SEL", 5), 256);
  ASSERT_TRUE(file.writeInt("Init", "VER_SEL", 0));
  EXPECT_EQ(readFile(path), "[Init]\r\nConfigName1=Resposta do Botão\r\nVER_SEL=0\r\n");
}

std::string utf16(std::u16string_view text, bool little) {
  std::string bytes;
  for (char16_t u : text) {
    const char lo = static_cast<char>(u & 0xFF);
    const char hi = static_cast<char>(u >> 8);
    bytes += little ? lo : hi;
    bytes += little ? hi : lo;
  }
  return bytes;
}

// Files that tools changed on the way: what can be recognised is read, and the notes say what
// had to be guessed so the program can tell the user.
TEST(ProfileFile, RecognisesUtf16WithoutMarkAndExtraMarksAndSaysSo) {
  const std::u16string text = u"[Init]\r\nConfigName1=Bot\u00E3o\r\nVER_SEL=1\r\n";
  for (bool little : {true, false}) {
    const IniDocument doc = IniDocument::parse(utf16(text, little));
    EXPECT_EQ(doc.readString("Init", "ConfigName1", "", 15), "Bot\xC3\xA3o") << little;
    EXPECT_EQ(doc.readInt("Init", "VER_SEL", 5), 1);
    EXPECT_TRUE(doc.readNotes().utf16WithoutByteOrderMark);
    EXPECT_EQ(describeReadNotes(doc.readNotes()).size(), 1u);
  }
  const std::string twoMarks = "\xEF\xBB\xBF\xEF\xBB\xBF[Init]\r\nVER_SEL=1\r\n";
  IniDocument doc = IniDocument::parse(twoMarks);
  EXPECT_EQ(doc.readInt("Init", "VER_SEL", 5), 1);  // the first section is not lost
  EXPECT_TRUE(doc.readNotes().extraByteOrderMarks);
  doc.writeInt("Init", "VER_SEL", 0);
  EXPECT_EQ(doc.serialize(), "\xEF\xBB\xBF[Init]\r\nVER_SEL=0\r\n");  // one mark kept
  const IniDocument plain = IniDocument::parse("[Init]\nVER_SEL=1\n");
  EXPECT_FALSE(plain.readNotes().any());
  using namespace std::string_literals;
  const IniDocument broken = IniDocument::parse("[Init]\nName=\xFF\xFE\xFD\nK=1\0junk\n"s);
  EXPECT_TRUE(broken.readNotes().malformedUtf8);
  EXPECT_TRUE(broken.readNotes().nulCharacters);
  EXPECT_EQ(broken.readString("Init", "K", "", 10), "1");  // a value ends at its NUL
}

// Many sections or keys before the ones the program reads cost one pass, not one per lookup:
// lookups go through an index, and writes keep it valid.
TEST(ProfileFile, LookupsAndWritesStayRightInFilesWithManySections) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n\n";
  IniDocument doc = IniDocument::parse(text);
  EXPECT_EQ(doc.readInt("s1999", "K", 10), 1999);
  doc.write("S5", "new", "x");  // inserted before S5's blank line
  doc.write("S5", "k", "y");
  doc.write("S5", "NEW", "z");
  doc.write("Z", "k", "last");
  const IniDocument reread = IniDocument::parse(doc.serialize());
  EXPECT_EQ(reread.readString("S5", "new", "", 10), "z");
  EXPECT_EQ(reread.readString("S5", "k", "", 10), "y");
  EXPECT_EQ(reread.readInt("S6", "k", 10), 6);
  EXPECT_EQ(reread.readString("Z", "k", "", 10), "last");
  EXPECT_NE(doc.serialize().find("[S5]\nk=y\nnew=z\n\n[S6]"), std::string::npos);
}

TEST(ProfileFile, MissingFileReadsDefaultsAndFailedSaveLeavesNoTrace) {
  ScratchDir dir;
  ProfileFile missing(dir / "none.ini");
  EXPECT_FALSE(missing.exists());
  EXPECT_EQ(missing.readString("Init", "CurConfig", "7", 5), "7");
  ProfileFile nowhere(dir / "no-such-folder" / "x.ini");
  EXPECT_FALSE(nowhere.writeInt("Init", "CurConfig", 1));
  EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
  ASSERT_TRUE(missing.writeInt("Init", "CurConfig", 1));
  // Only the file itself remains: the temporary file was renamed over it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ProfileFile, ValuesWithLineBreaksStayOnOneLine) {
  IniDocument doc;
  doc.write("S", "name", "two\nlines\r");
  doc.write("S", "next", "1");
  const IniDocument reread = IniDocument::parse(doc.serialize());
  EXPECT_EQ(reread.readString("S", "name", "", 64), "two lines");
  EXPECT_EQ(reread.readInt("S", "next", 5), 1);
}

// Random and truncated input never crashes a reader, and a write into any document is read back.
TEST(ProfileFile, SurvivesRandomBytes) {
  std::mt19937 rng(1234);
  const std::string seed = readFile(golden("edit_before.ini")) + readFile(golden("utf16.ini"));
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    if (round % 2 == 0) {
      bytes = seed.substr(0, rng() % (seed.size() + 1));  // truncated real file
      for (int flips = rng() % 4; flips > 0 && !bytes.empty(); --flips)
        bytes[rng() % bytes.size()] ^= char(1 << (rng() % 8));
    } else {
      bytes.resize(rng() % 200);
      for (char& c : bytes) c = static_cast<char>("[]=;\r\n \"'aZ\xFF\xFE\xC3\xA7\x00"[rng() % 16]);
    }
    IniDocument doc = IniDocument::parse(bytes);
    (void)doc.readString("Init", "CurConfig", "", 5);
    (void)doc.readInt("ShareData", "DPI_LEVEL", 5);
    doc.writeInt("ShareData", "FIRE_TIME", round);
    const IniDocument reread = IniDocument::parse(doc.serialize());
    ASSERT_EQ(reread.readInt("ShareData", "FIRE_TIME", 12), round) << "round " << round;
  }
}

}  // namespace
}  // namespace tarvosk
