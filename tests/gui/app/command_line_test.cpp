#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tarvosk {
namespace {

QStringList args(std::initializer_list<const char*> words) {
  QStringList list{QStringLiteral("/usr/bin/tarvosk")};
  for (const char* word : words) list.append(QString::fromUtf8(word));
  return list;
}

struct RunCase {
  const char* name;
  QStringList arguments;
  QString skinsDir;
  bool simulate;
  int macroMemory;
  int statusNibble;
  int profile;
  QString dumpMemory;
};

TEST(CommandLine, ValidOptionsGiveWhatTheWindowNeeds) {
  const RunCase cases[] = {
      {"nothing", args({}), "", false, 2040, 0, 0, ""},
      {"skins", args({"--skins", "/tmp/s"}), "/tmp/s", false, 2040, 0, 0, ""},
      {"skins with =", args({"--skins=/a b"}), "/a b", false, 2040, 0, 0, ""},
      {"simulate", args({"--simulate"}), "", true, 2040, 0, 0, ""},
      {"every simulated option",
       args({"--simulate", "--sim-macro-memory", "4088", "--sim-status-nibble", "15", "--sim-profile", "3",
             "--dump-memory", "/tmp/m.bin"}),
       "", true, 4088, 15, 3, "/tmp/m.bin"},
      {"lowest values", args({"--simulate", "--sim-macro-memory=2040", "--sim-status-nibble=0", "--sim-profile=0"}), "",
       true, 2040, 0, 0, ""},
      {"-HIDE alone", args({"-HIDE"}), "", false, 2040, 0, 0, ""},
      {"-HIDE after options", args({"--simulate", "-HIDE"}), "", true, 2040, 0, 0, ""},
      {"-HIDE before options", args({"-HIDE", "--skins", "/s"}), "/s", false, 2040, 0, 0, ""},
      {"-HIDEME", args({"--simulate", "-HIDEME"}), "", true, 2040, 0, 0, ""},
      {"--HIDE", args({"--HIDE"}), "", false, 2040, 0, 0, ""},
      {"single-dash words", args({"-simulate", "-sim-profile", "2"}), "", true, 2040, 0, 2, ""},
  };
  for (const auto& c : cases) {
    const CommandLine line = CommandLine::parse(c.arguments);
    ASSERT_EQ(line.outcome, CommandLine::Outcome::Run) << c.name << ": " << line.text.toStdString();
    EXPECT_EQ(line.exitCode(), 0) << c.name;
    EXPECT_EQ(line.skinsDir, c.skinsDir) << c.name;
    EXPECT_EQ(line.simulate, c.simulate) << c.name;
    EXPECT_EQ(line.simulatedMouse.macroMemory, c.macroMemory) << c.name;
    EXPECT_EQ(line.simulatedMouse.statusNibble, c.statusNibble) << c.name;
    EXPECT_EQ(line.simulatedMouse.activeProfile, c.profile) << c.name;
    EXPECT_EQ(line.dumpMemoryFile, c.dumpMemory) << c.name;
  }
}

TEST(CommandLine, TheRawCommandLineKeepsEveryArgumentForTheStartMinimisedRule) {
  EXPECT_EQ(CommandLine::parse(args({"--simulate", "-HIDE"})).rawCommandLine,
            QStringLiteral("/usr/bin/tarvosk --simulate -HIDE"));
  EXPECT_EQ(CommandLine::parse(args({})).rawCommandLine, QStringLiteral("/usr/bin/tarvosk"));
  // Even a line that is refused keeps it.
  EXPECT_EQ(CommandLine::parse(args({"--bogus", "-HIDE"})).rawCommandLine,
            QStringLiteral("/usr/bin/tarvosk --bogus -HIDE"));
}

struct ErrorCase {
  const char* name;
  QStringList arguments;
  const char* messagePart;
};

TEST(CommandLine, BadValuesAreRefusedWithAMessageAndExitCode2) {
  const ErrorCase cases[] = {
      {"unknown option", args({"--bogus"}), "bogus"},
      {"-hide is not the flag", args({"-hide"}), "Unknown option 'hide'"},
      {"stray argument", args({"config.ini"}), "unexpected argument 'config.ini'"},
      {"skins without a folder", args({"--skins"}), "skins"},
      {"empty skins folder", args({"--skins="}), "--skins needs a folder"},
      {"memory size not offered", args({"--simulate", "--sim-macro-memory", "3000"}),
       "--sim-macro-memory takes 2040 or 4088, not '3000'"},
      {"memory size not a number", args({"--simulate", "--sim-macro-memory", "big"}), "not 'big'"},
      {"nibble too large", args({"--simulate", "--sim-status-nibble", "16"}),
       "--sim-status-nibble takes a number from 0 to 15, not '16'"},
      {"nibble negative", args({"--simulate", "--sim-status-nibble=-1"}), "not '-1'"},
      {"nibble in hex", args({"--simulate", "--sim-status-nibble", "0xF"}), "not '0xF'"},
      {"nibble with spaces", args({"--simulate", "--sim-status-nibble", " 3"}), "not ' 3'"},
      {"nibble with a sign", args({"--simulate", "--sim-status-nibble", "+3"}), "not '+3'"},
      {"memory size far too long", args({"--simulate", "--sim-macro-memory", "40880000000000"}),
       "not '40880000000000'"},
      {"profile too large", args({"--simulate", "--sim-profile", "4"}),
       "--sim-profile takes a profile slot from 0 to 3, not '4'"},
      {"profile empty", args({"--simulate", "--sim-profile="}), "not ''"},
      {"dump without simulate", args({"--dump-memory", "/tmp/m.bin"}), "--dump-memory needs --simulate"},
      {"sim option without simulate", args({"--sim-profile", "2"}), "--sim-profile needs --simulate"},
      {"dump without a file", args({"--simulate", "--dump-memory="}), "--dump-memory needs a file name"},
  };
  for (const auto& c : cases) {
    const CommandLine line = CommandLine::parse(c.arguments);
    EXPECT_EQ(line.outcome, CommandLine::Outcome::Error) << c.name;
    EXPECT_EQ(line.exitCode(), 2) << c.name;
    EXPECT_TRUE(line.text.startsWith(QStringLiteral("tarvosk: "))) << c.name << ": " << line.text.toStdString();
    EXPECT_TRUE(line.text.contains(QString::fromUtf8(c.messagePart))) << c.name << ": " << line.text.toStdString();
  }
}

TEST(CommandLine, HelpAndVersionAreShownInsteadOfStarting) {
  const CommandLine help = CommandLine::parse(args({"--simulate", "--help"}));
  EXPECT_EQ(help.outcome, CommandLine::Outcome::Help);
  EXPECT_EQ(help.exitCode(), 0);
  for (const char* option : {"--skins", "--simulate", "--sim-macro-memory", "--sim-status-nibble", "--sim-profile",
                             "--dump-memory", "--version", "-HIDE"}) {
    EXPECT_TRUE(help.text.contains(QString::fromUtf8(option))) << option;
  }
  EXPECT_EQ(CommandLine::parse(args({"-h"})).outcome, CommandLine::Outcome::Help);

  const CommandLine version = CommandLine::parse(args({"--version"}));
  EXPECT_EQ(version.outcome, CommandLine::Outcome::Version);
  EXPECT_EQ(version.exitCode(), 0);
  EXPECT_TRUE(version.text.startsWith(QStringLiteral("tarvosk "))) << version.text.toStdString();
  EXPECT_GT(version.text.size(), 8);
}

TEST(CommandLine, AnEmptyArgumentListStillParses) {
  const CommandLine line = CommandLine::parse({});
  EXPECT_EQ(line.outcome, CommandLine::Outcome::Run);
  EXPECT_TRUE(line.rawCommandLine.isEmpty());
}

}  // namespace
}  // namespace tarvosk
