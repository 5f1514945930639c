#include "test_support.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace tarvosk::test {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  static std::atomic<unsigned> counter{0};
  m_path = fs::temp_directory_path() / ("tarvosk-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(m_path);
  fs::create_directories(m_path);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(m_path, ec);
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeFile(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

fs::path testDataDir() { return TARVOSK_TEST_DATA_DIR; }
fs::path shippedSkinsDir() { return TARVOSK_SHIPPED_SKINS_DIR; }

Paths scratchPaths(const fs::path& root, bool withShippedData) {
  if (withShippedData) fs::copy(shippedSkinsDir(), root / "skins", fs::copy_options::recursive);
  fs::create_directories(root / "skins" / "config");
  return portablePaths(root, root / "skins");
}

}  // namespace tarvosk::test

#include <sys/wait.h>

#include "cli_runner.h"

namespace tarvosk::test {

namespace {
std::string shellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
}  // namespace

std::string cliPath() { return TARVOSK_CLI_PATH; }

CliResult runCli(const std::vector<std::string>& args) { return runCliProgram(TARVOSK_CLI_PATH, args); }

namespace {
CliResult runCommand(const std::string& prefix, const std::string& program, const std::vector<std::string>& args) {
  ScratchDir capture;
  std::string command = prefix + shellQuote(program);
  for (const std::string& a : args) command += " " + shellQuote(a);
  command +=
      " >" + shellQuote((capture / "out").string()) + " 2>" + shellQuote((capture / "err").string()) + " </dev/null";
  const int status = std::system(command.c_str());
  CliResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = readFile(capture / "out");
  r.err = readFile(capture / "err");
  return r;
}
}  // namespace

CliResult runCliProgram(const std::string& program, const std::vector<std::string>& args) {
  return runCommand("", program, args);
}

CliResult runCliWithFileSizeLimit(std::size_t maxFileBytes, const std::vector<std::string>& args) {
  // The shell ignores SIGXFSZ and the program inherits that; prlimit sets the limit for it alone.
  const std::string limit = std::to_string(maxFileBytes);
  return runCommand("trap '' XFSZ; prlimit --fsize=" + limit + ":" + limit + " ", TARVOSK_CLI_PATH, args);
}

CliResult runCliUnprivileged(const std::vector<std::string>& args) {
  if (::geteuid() != 0) return runCli(args);
  return runCommand("setpriv --reuid=65534 --regid=65534 --clear-groups ", TARVOSK_CLI_PATH, args);
}

}  // namespace tarvosk::test
