// profile show | reset | export FILE | import FILE

#include <iostream>
#include <sstream>

#include "cli.h"
#include "platform/file_replace.h"
#include "platform/profile_file.h"
#include "settings/config_file.h"
#include "settings/profiles.h"

namespace tarvosk::cli {

bool loadConfiguration(Context& ctx, SettingsRecord& s, bool refuseWithoutKnownKeys, bool* warned) {
  ConfigReadReport report;
  if (!loadAtStartup(s, ctx.paths, ctx.prompter, report)) {
    ctx.err << "tarvosk-cli: no configuration file at " << ctx.paths.configFile << '\n';
    return false;
  }
  const std::string name = ctx.paths.configFile.filename().string();
  for (const std::string& note : report.notes) ctx.err << "tarvosk-cli: " << name << ": " << note << '\n';
  if (report.knownKeys == 0) {
    ctx.err << "tarvosk-cli: " << noKnownKeyMessage(ctx.paths.configFile)
            << (refuseWithoutKnownKeys ? "; nothing was sent or saved (profile reset restores the factory settings)\n"
                                       : "\n");
  }
  if (warned) *warned = !report.notes.empty() || report.knownKeys == 0;
  return !(refuseWithoutKnownKeys && report.knownKeys == 0);
}

namespace {

template <typename Array>
std::string joined(const Array& values) {
  std::ostringstream os;
  bool first = true;
  for (const auto& v : values) {
    if (!first) os << ' ';
    os << static_cast<long long>(v);
    first = false;
  }
  return os.str();
}

template <typename Groups>
std::string joinedGroups(const Groups& groups) {
  std::string out;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    if (i) out += " | ";
    out += joined(groups[i]);
  }
  return out;
}

int profileShow(Context& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "usage: tarvosk-cli profile show\n";
    return kExitUsage;
  }
  SettingsRecord s;
  bool warned = false;
  if (!loadConfiguration(ctx, s, false, &warned)) return kExitFailure;
  auto& o = ctx.out;
  o << "currentProfile = " << s.currentProfile << '\n';
  o << "language = " << s.language << '\n';
  o << "profileName = " << s.profileName[0] << " | " << s.profileName[1] << " | " << s.profileName[2] << '\n';
  for (int slot = 0; slot < kProfileSlots; ++slot) {
    o << "buttonFunction[" << slot << "] = " << joined(s.buttonFunction[slot]) << '\n';
    o << "ledReactEnable[" << slot << "] = " << joined(s.ledReactEnable[slot]) << '\n';
    o << "ledReactType[" << slot << "] = " << joined(s.ledReactType[slot]) << '\n';
  }
  o << "wheelStatus = " << s.wheelStatus << '\n';
  o << "dpiLevel = " << s.dpiLevel << '\n';
  o << "dpiValue = " << joined(s.dpiValue) << '\n';
  o << "dpiEnabled = " << joined(s.dpiEnabled) << '\n';
  o << "dpiColor = " << joinedGroups(s.dpiColor) << '\n';
  o << "ledType = " << int{s.ledType} << '\n';
  o << "cycleColorEnable = " << joined(s.cycleColorEnable) << '\n';
  o << "cycleColorMask = " << int{s.cycleColorMask} << '\n';
  o << "ledSwitchSpare = " << joined(s.ledSwitchSpare) << '\n';
  o << "ledCycleTime = " << int{s.ledCycleTime} << '\n';
  o << "ledUserColorEnable = " << s.ledUserColorEnable << '\n';
  o << "ledUserColor = " << joinedGroups(s.ledUserColor) << '\n';
  o << "ledFeatureSColor = " << s.ledFeatureSColor << '\n';
  o << "ledDirection = " << s.ledDirection << '\n';
  o << "ledSymmetry = " << s.ledSymmetry << '\n';
  o << "ledBrightness = " << s.ledBrightness << '\n';
  o << "pointerSpeed = " << int{s.pointerSpeed} << '\n';
  o << "wheelSpeed = " << int{s.wheelSpeed} << '\n';
  o << "usbRate = " << int{s.usbRate} << '\n';
  o << "fireTime = " << s.fireTime << '\n';
  o << "usbRateCode = " << int{s.usbRateCode} << '\n';
  o << "usbIntervalMs = " << s.usbIntervalMs << '\n';
  o << "ledUserColorRgb = " << joined(s.ledUserColorRgb) << '\n';

  // Lenient reading never fails, but a value that is not a number is worth telling about.
  const std::optional<IniDocument> doc = IniDocument::load(ctx.paths.configFile);
  const std::vector<MalformedValue> malformed = doc ? findMalformedValues(*doc) : std::vector<MalformedValue>{};
  for (const MalformedValue& m : malformed) {
    ctx.err << "tarvosk-cli: " << ctx.paths.configFile.filename().string() << ": [" << m.section << "] " << m.key
            << " = \"" << m.value << "\" is not a number; read as its leading digits\n";
  }
  return malformed.empty() && !warned ? kExitOk : kExitFailure;
}

int exitFor(TransferResult result) { return result == TransferResult::Ok ? kExitOk : kExitFailure; }

int profileReset(Context& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "usage: tarvosk-cli profile reset\n";
    return kExitUsage;
  }
  SettingsRecord s;
  if (!loadAtStartup(s, ctx.paths, ctx.prompter)) return kExitFailure;
  return resetToFactory(s, ctx.paths, ctx.prompter) ? kExitOk : kExitFailure;
}

int profileExport(Context& ctx, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    ctx.err << "usage: tarvosk-cli profile export FILE\n";
    return kExitUsage;
  }
  return exitFor(exportProfile(ctx.paths, args[0], ctx.prompter));
}

int profileImport(Context& ctx, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    ctx.err << "usage: tarvosk-cli profile import FILE\n";
    return kExitUsage;
  }
  SettingsRecord s;
  if (!loadAtStartup(s, ctx.paths, ctx.prompter)) return kExitFailure;
  const std::optional<std::string> before = readRegularFile(ctx.paths.configFile);
  const TransferResult result = importProfile(s, ctx.paths, args[0], ctx.prompter);
  if (result == TransferResult::FileVersionError && readRegularFile(ctx.paths.configFile) == before) {
    ctx.err << "tarvosk-cli: " << ctx.paths.configFile.string() << " is unchanged\n";
  }
  if (result == TransferResult::Error) {
    // "Error!" alone does not say which side failed.
    if (!readRegularFile(args[0])) {
      ctx.err << "tarvosk-cli: cannot read " << args[0] << " (missing, not a regular file or larger than "
              << (kMaxDataFileBytes >> 20) << " MiB)\n";
    } else {
      ctx.err << "tarvosk-cli: " << ctx.paths.configFile.string()
              << " could not be written (is its folder read-only or full?); it is unchanged\n";
    }
  }
  return exitFor(result);
}

}  // namespace

void addProfileCommands(std::vector<Command>& commands) {
  commands.push_back({"profile", "show", "", profileShow});
  commands.push_back({"profile", "reset", "", profileReset});
  commands.push_back({"profile", "export", "FILE", profileExport});
  commands.push_back({"profile", "import", "FILE", profileImport});
}

}  // namespace tarvosk::cli
