#pragma once
// Runs the built tarvosk-cli with arguments and captures what it printed.

#include <cstddef>
#include <string>
#include <vector>

namespace tarvosk::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

CliResult runCli(const std::vector<std::string>& args);
// The same with another copy of the program (say, one without constMacro.dat beside it).
CliResult runCliProgram(const std::string& program, const std::vector<std::string>& args);
// The built program with every file it writes limited to `maxFileBytes` (RLIMIT_FSIZE, with
// SIGXFSZ ignored): a write past it fails with EFBIG as on a full disk, for root too.
CliResult runCliWithFileSizeLimit(std::size_t maxFileBytes, const std::vector<std::string>& args);
// The built program as a user without root's right to write anywhere (setpriv to nobody) when
// the tests run as root, so a read-only folder stops it as it stops a user; else as runCli.
CliResult runCliUnprivileged(const std::vector<std::string>& args);
// The built program's path.
std::string cliPath();

}  // namespace tarvosk::test
