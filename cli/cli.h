#pragma once
// The command-line face of the core. Each command group lives in its own file and registers its
// commands here; main.cpp parses the global options and dispatches.

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/paths.h"
#include "platform/prompter.h"
#include "settings/settings_record.h"

namespace tarvosk::cli {

// Messages meant for a message box go to standard error, one per line.
class StreamPrompter : public Prompter {
 public:
  explicit StreamPrompter(std::ostream& err) : m_err(err) {}
  void showMessage(std::string_view text) override;
  int count = 0;

 private:
  std::ostream& m_err;
};

struct Context {
  Paths paths;
  std::map<std::string, std::string> options;  // global options given, without their leading "--"
  std::ostream& out;
  std::ostream& err;
  StreamPrompter prompter;

  std::optional<std::string> option(const std::string& name) const;
};

using CommandFn = int (*)(Context& ctx, const std::vector<std::string>& args);

struct Command {
  std::string_view group;  // "profile", "macro", ...; empty for a one-word command ("status")
  std::string_view name;   // "show", ...
  std::string_view usage;  // arguments, for the help text
  CommandFn run;
};

// Each command file adds its commands.
void addProfileCommands(std::vector<Command>& commands);
// devices, status, leave (device_commands.cpp); the device options are in device_session.h.
void addDeviceCommands(std::vector<Command>& commands);
void addMacroCommands(std::vector<Command>& commands);
// apply, image (upload_commands.cpp).
void addUploadCommands(std::vector<Command>& commands);

// Loads the settings as start-up does and tells on standard error what the file needed
// (encoding repairs, no known key at all). Returns false, after saying so, when the file is
// missing or, with `refuseWithoutKnownKeys`, holds none of the settings' keys. `warned` is set
// when a line was printed.
bool loadConfiguration(Context& ctx, SettingsRecord& s, bool refuseWithoutKnownKeys, bool* warned = nullptr);

// Exit status for usage errors and failures.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace tarvosk::cli
