// tarvosk-cli: runs one command of the core against the stored files (and, where a command says
// so, the mouse). Usage: tarvosk-cli [global options] GROUP COMMAND [arguments]

#include <iostream>
#include <set>

#include "cli.h"
#include "device_session.h"

namespace tarvosk::cli {

void StreamPrompter::showMessage(std::string_view text) {
  ++count;
  m_err << text << '\n';
}

std::optional<std::string> Context::option(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

namespace {

// Global options, each taking one value.
const std::set<std::string, std::less<>> kGlobalOptions = [] {
  std::set<std::string, std::less<>> names = {"skins"};
  names.insert(kDeviceOptions.begin(), kDeviceOptions.end());
  return names;
}();

std::vector<Command> allCommands() {
  std::vector<Command> commands;
  addProfileCommands(commands);
  addDeviceCommands(commands);
  addMacroCommands(commands);
  addUploadCommands(commands);
  return commands;
}

void printUsage(std::ostream& os, const std::vector<Command>& commands) {
  os << "usage: tarvosk-cli [--skins DIR] [device options] [GROUP] COMMAND [ARGS]\n\n"
        "device options: --device auto|sim, --sim-macro-memory 2040|4088, --sim-status-nibble N,\n"
        "  --sim-profile N, --sim-fail-after N, --trace FILE|-, --dump-memory FILE\n\ncommands:\n";
  for (const Command& c : commands) {
    os << "  ";
    if (!c.group.empty()) os << c.group << ' ';
    os << c.name;
    if (!c.usage.empty()) os << ' ' << c.usage;
    os << '\n';
  }
}

}  // namespace

int run(int argc, char** argv) {
  const std::vector<Command> commands = allCommands();
  std::map<std::string, std::string> options;
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      printUsage(std::cout, commands);
      return kExitOk;
    }
    if (words.empty() && arg.rfind("--", 0) == 0) {
      std::string name = arg.substr(2);
      std::string value;
      if (const std::size_t eq = name.find('='); eq != std::string::npos) {
        value = name.substr(eq + 1);
        name.resize(eq);
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        std::cerr << "tarvosk-cli: option --" << name << " needs a value\n";
        return kExitUsage;
      }
      if (!kGlobalOptions.count(name)) {
        std::cerr << "tarvosk-cli: unknown option --" << name << '\n';
        return kExitUsage;
      }
      options[name] = value;
      continue;
    }
    words.push_back(std::move(arg));
  }
  // A one-word command ("status") or GROUP COMMAND ("profile show").
  const Command* chosen = nullptr;
  std::size_t argsFrom = 0;
  for (const Command& c : commands) {
    if (!words.empty() && c.group.empty() && c.name == words[0]) {
      chosen = &c;
      argsFrom = 1;
    } else if (words.size() >= 2 && c.group == words[0] && c.name == words[1]) {
      chosen = &c;
      argsFrom = 2;
    }
    if (chosen) break;
  }
  if (!chosen) {
    if (words.size() >= 2)
      std::cerr << "tarvosk-cli: unknown command '" << words[0] << ' ' << words[1] << "'\n";
    else if (words.size() == 1)
      std::cerr << "tarvosk-cli: unknown command '" << words[0] << "'\n";
    printUsage(std::cerr, commands);
    return kExitUsage;
  }

  const std::filesystem::path programFolder = executableFolder();
  Paths paths = discoverPaths(programFolder);
  if (auto skins = options.find("skins"); skins != options.end()) {
    paths = portablePaths(programFolder, std::filesystem::absolute(skins->second));
  } else if (!seedUserFiles(paths)) {
    std::cerr << "tarvosk-cli: could not copy the factory files into " << paths.userSkinsFolder << '\n';
  }

  Context ctx{paths, options, std::cout, std::cerr, StreamPrompter(std::cerr)};
  return chosen->run(ctx, std::vector<std::string>(words.begin() + static_cast<std::ptrdiff_t>(argsFrom), words.end()));
}

}  // namespace tarvosk::cli

int main(int argc, char** argv) {
  try {
    return tarvosk::cli::run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "tarvosk-cli: " << e.what() << '\n';
    return tarvosk::cli::kExitFailure;
  }
}
