#pragma once
// Runs the built tarvosk-cli with arguments and captures what it printed.

#include <string>
#include <vector>

namespace tarvosk::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

CliResult runCli(const std::vector<std::string>& args);

}  // namespace tarvosk::test
