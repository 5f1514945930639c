#pragma once
// The window program's options:
//   --skins DIR            another skins folder
//   --simulate             run against the built-in simulated mouse (and show the virtual mouse)
//   --sim-macro-memory 2040|4088, --sim-status-nibble 0..15, --sim-profile 0..3
//                          describe the simulated mouse (only with --simulate)
//   --dump-memory FILE     write the simulated mouse's 64 KiB memory when the program leaves
//                          (only with --simulate)
//   --help, --version
// Autostart adds -HIDE (start minimised). That flag is judged on the raw command line by the
// window's own rule, so the parser only lets it through.

#include <QString>
#include <QStringList>

#include "device/simulated_mouse.h"

namespace tarvosk {

struct CommandLine {
  enum class Outcome {
    Run,      // start the window with the options below
    Help,     // print `text` to standard output, exit 0
    Version,  // print `text` to standard output, exit 0
    Error,    // print `text` to standard error, exit 2
  };

  Outcome outcome = Outcome::Run;
  QString text;  // help text, version line or error message (one line, ends without a newline)

  QString skinsDir;  // empty: the usual skins folder
  bool simulate = false;
  SimulatedMouseDescription simulatedMouse;
  QString dumpMemoryFile;  // empty: no dump
  // Every argument, the program first, joined with single spaces: what the start-minimised
  // rule reads.
  QString rawCommandLine;

  // 0 for Run, Help and Version; 2 for Error.
  int exitCode() const { return outcome == Outcome::Error ? 2 : 0; }

  // Parses `arguments` as QCoreApplication::arguments() gives them (the program first). Never
  // exits and never prints: the caller shows `text` as `outcome` says.
  static CommandLine parse(const QStringList& arguments);
};

}  // namespace tarvosk
