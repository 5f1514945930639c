// Our INI engine against the results the Windows private-profile functions give for the same
// files and calls (the cases the conformance tests of those functions record, limited to what
// the engine offers: reads with defaults and buffer sizes, quotes, blanks, duplicates, empty
// values, line endings, and writes). Each row carries the Windows result beside the call.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <climits>

#include "platform/profile_file.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::readFile;
using test::ScratchDir;
using test::writeFile;

constexpr std::size_t kMaxPath = 260;

// The file the conformance tests read, in the line endings and blank placements they try.
constexpr const char* kCrLf = "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";
constexpr const char* kCrOnly = "[section1]\rname1=val1\rname2=\"val2\"\rname3\rname4=a\r[section2]\r";
constexpr const char* kLfOnly = "[section1]\nname1=val1\nname2=\"val2\"\nname3\nname4=a\n[section2]\n";
constexpr const char* kSpaced =
    "  [section1]  \r\n  name1=val1  \r\nname2  =  \"val2\"  \r\n\tname3\r\nname4 = a \t\r\n [section2] \r\n";

struct ReadRow {
  const char* what;
  const char* section;
  const char* key;
  const char* defaultValue;
  std::size_t buffer;
  const char* windows;  // what the Windows function returns in the buffer
};

const ReadRow kReadRows[] = {
    {"empty section name", "", "name1", "default", kMaxPath, "default"},
    {"missing section", "notasection", "name1", "default", kMaxPath, "default"},
    {"empty default", "", "name1", "", kMaxPath, ""},
    {"default loses trailing blanks", "", "name1", "default  ", kMaxPath, "default"},
    {"default keeps inner blanks", "", "name1", "one two  ", kMaxPath, "one two"},
    {"default without trailing blanks", "", "name1", "one two", kMaxPath, "one two"},
    {"empty key name", "section1", "", "default", kMaxPath, "default"},
    {"missing key", "section1", "notakey", "default", kMaxPath, "default"},
    {"missing key, default with trailing blanks", "section1", "notakey", "default  ", kMaxPath, "default"},
    {"buffer of 0", "section1", "name1", "default", 0, ""},
    {"buffer exactly the value's length", "section1", "name1", "default", 4, "val"},
    {"buffer with room for the terminator", "section1", "name1", "default", 5, "val1"},
    {"one-character value", "section1", "name4", "default", kMaxPath, "a"},
    {"one-character value, buffer of 1", "section1", "name4", "default", 1, ""},
    {"default cut to the buffer", "section1", "notakey", "default", 4, "def"},
    {"quotes are stripped", "section1", "name2", "default", kMaxPath, "val2"},
    {"names ignore case", "SECTION1", "NaMe1", "default", kMaxPath, "val1"},
    {"a line without '=' is no value", "section1", "name3", "default", kMaxPath, "default"},
    {"keys belong to their own section", "section2", "name1", "default", kMaxPath, "default"},
};

TEST(ProfileWindowsTable, ReadsGiveTheWindowsResultsInEveryLineEndingAndBlankPlacement) {
  for (const char* content : {kCrLf, kCrOnly, kLfOnly, kSpaced}) {
    const IniDocument doc = IniDocument::parse(content);
    for (const ReadRow& row : kReadRows) {
      EXPECT_EQ(doc.readString(row.section, row.key, row.defaultValue, row.buffer), row.windows)
          << row.what << " in " << ::testing::PrintToString(std::string(content));
    }
  }
}

struct FileRow {
  const char* what;
  const char* content;
  const char* section;
  const char* key;
  const char* windows;
};

const FileRow kFileRows[] = {
    {"empty value is a value", "[s]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n", "s", "name2", ""},
    {"empty quoted value", "[s]\r\nk=\"\"\r\n", "s", "k", ""},
    {"single quotes", "[s]\r\nk='x y'\r\n", "s", "k", "x y"},
    {"unmatched quote stays", "[s]\r\nk=\"x\r\n", "s", "k", "\"x"},
    {"lone quote stays", "[s]\r\nk=\"\r\n", "s", "k", "\""},
    {"blanks inside quotes stay", "[s]\r\nk=\" x \"\r\n", "s", "k", " x "},
    {"first of duplicate keys", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1"},
    {"first of duplicate sections", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "s", "k", "1"},
    {"a duplicate section is never read", "[s]\r\nk=1\r\n[t]\r\n[S]\r\nj=2\r\n", "s", "j", "(default)"},
    {"header without its bracket is no section", "[s\r\nk=1\r\n", "s", "k", "(default)"},
    {"last bracket closes the header", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
    {"value keeps inner '='", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
    {"tab and ^Z are blanks", "[s]\r\nk=\t5\x1A", "s", "k", "5"},
    {"no final line end", "[s]\r\nk=5", "s", "k", "5"},
    {"file without sections", "k=1\r\nj=2\r\n", "s", "k", "(default)"},
    {"blank lines collapse", "[s]\r\n\r\n\r\n\r\nk=3\r\n", "s", "k", "3"},
    {"mixed line ends", "[s]\nk=1\r\n[t]\rj=2\n", "t", "j", "2"},
};

TEST(ProfileWindowsTable, FileShapesReadAsOnWindows) {
  for (const FileRow& row : kFileRows) {
    EXPECT_EQ(IniDocument::parse(row.content).readString(row.section, row.key, "(default)", kMaxPath), row.windows)
        << row.what;
  }
}

// Numbers go through the program's lenient conversion (the C runtime's wide atoi), which
// saturates; GetPrivateProfileInt would wrap 4294967297 to 1, the program never calls it.
TEST(ProfileWindowsTable, NumbersConvertAsTheRuntimeDoes) {
  const struct {
    const char* value;
    int runtime;
  } rows[] = {{"-1", -1},
              {"1", 1},
              {"+1", 1},
              {"42A94967297", 42},
              {"B4294967297", 0},
              {"4294967297", INT_MAX},
              {"-4294967297", INT_MIN},
              {" 7", 7},
              {"", 0}};
  for (const auto& row : rows) {
    const IniDocument doc = IniDocument::parse(std::string("[s]\r\nk=") + row.value + "\r\n");
    EXPECT_EQ(doc.readInt("s", "k", 20), row.runtime) << row.value;
  }
}

struct WriteRow {
  const char* what;
  const char* before;  // nullptr: no file
  const char* section;
  const char* key;
  const char* value;
  const char* windows;  // the file afterwards as Windows writes it
  const char* ours;     // nullptr when the same; otherwise our documented choice
};

const WriteRow kWriteRows[] = {
    {"new file", nullptr, "App", "key", "string", "[App]\r\nkey=string\r\n", "[App]\nkey=string\n"},
    {"empty file", "", "App", "key", "string", "[App]\r\nkey=string\r\n", "[App]\nkey=string\n"},
    {"quoted value kept as written", "[App]\r\n", "App", "key", "\"string\"", "[App]\r\nkey=\"string\"\r\n", nullptr},
    {"empty value keeps the key", "[App]\r\nkey=string\r\n", "App", "key", "", "[App]\r\nkey=\r\n", nullptr},
    {"existing key in place, stored name kept", "[App]\r\nKEY=1\r\nnext=2\r\n", "app", "key", "3",
     "[App]\r\nKEY=3\r\nnext=2\r\n", nullptr},
    {"new key at the end of its section", "[App]\r\nkey=string\r\n[B]\r\nb=1\r\n", "App", "key2", "string2",
     "[App]\r\nkey=string\r\nkey2=string2\r\n[B]\r\nb=1\r\n", nullptr},
    {"new section at the end", "[App1]\r\nkey1=string1\r\n", "App2", "key2", "string2",
     "[App1]\r\nkey1=string1\r\n[App2]\r\nkey2=string2\r\n", nullptr},
    {"key without '=' gets its value where it stands", "[s]\r\nname3\r\nk=1\r\n", "s", "name3", "v",
     "[s]\r\nname3=v\r\nk=1\r\n", nullptr},
    {"CR-only file: the key joins its own section", "[s]\rk=1\r[t]\rj=2\r", "s", "k2", "2",
     "[s]\r\nk=1\r\nk2=2\r\n[t]\r\nj=2\r\n", "[s]\rk=1\rk2=2\r[t]\rj=2\r"},
    {"LF-only file", "[s]\nk=1\n", "s", "k", "5", "[s]\r\nk=5\r\n", "[s]\nk=5\n"},
};

TEST(ProfileWindowsTable, WritesGiveTheWindowsFileOrOurDocumentedChoice) {
  for (const WriteRow& row : kWriteRows) {
    ScratchDir dir;
    const auto path = dir / "w.ini";
    if (row.before) writeFile(path, row.before);
    ProfileFile file(path);
    ASSERT_TRUE(file.writeString(row.section, row.key, row.value)) << row.what;
    EXPECT_EQ(readFile(path), row.ours ? row.ours : row.windows) << row.what;
    // Whatever the line endings, the file reads back the same as the Windows file would.
    const IniDocument ours = IniDocument::parse(readFile(path));
    const IniDocument windows = IniDocument::parse(row.windows);
    EXPECT_EQ(ours.readString(row.section, row.key, "-", kMaxPath),
              windows.readString(row.section, row.key, "-", kMaxPath))
        << row.what;
  }
}

TEST(ProfileWindowsTable, AWriteThatChangesNothingLeavesTheFileAlone) {
  ScratchDir dir;
  const auto path = dir / "same.ini";
  writeFile(path, "[s]\r\nk = 5\r\n");
  ::chmod(path.c_str(), 0444);
  ProfileFile file(path);
  EXPECT_TRUE(file.writeInt("s", "k", 5));  // Windows answers TRUE without writing
  EXPECT_EQ(readFile(path), "[s]\r\nk = 5\r\n");
  if (::geteuid() != 0) {
    EXPECT_FALSE(file.writeInt("s", "k", 6));  // a real change to a read-only file fails
  }
  EXPECT_EQ(readFile(path), "[s]\r\nk = 5\r\n");
}

}  // namespace
}  // namespace tarvosk
