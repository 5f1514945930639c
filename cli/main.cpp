// tarvosk-cli: runs one command of the core against the stored files (and, where a command says
// so, the mouse). Usage: tarvosk-cli [global options] GROUP COMMAND [arguments]

#include <iostream>
#include <set>

#include "cli.h"

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
const std::set<std::string, std::less<>> kGlobalOptions = {"skins"};

std::vector<Command> allCommands() {
  std::vector<Command> commands;
  addProfileCommands(commands);
  return commands;
}

void printUsage(std::ostream& os, const std::vector<Command>& commands) {
  os << "usage: tarvosk-cli [--skins DIR] GROUP COMMAND [ARGS]\n\ncommands:\n";
  for (const Command& c : commands) {
    os << "  " << c.group << ' ' << c.name;
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
  if (words.size() < 2) {
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
  for (const Command& c : commands) {
    if (c.group == words[0] && c.name == words[1]) {
      return c.run(ctx, std::vector<std::string>(words.begin() + 2, words.end()));
    }
  }
  std::cerr << "tarvosk-cli: unknown command '" << words[0] << ' ' << words[1] << "'\n";
  printUsage(std::cerr, commands);
  return kExitUsage;
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
