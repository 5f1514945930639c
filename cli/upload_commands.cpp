// apply | image: the window's apply against the mouse, and the settings image it would write.

#include <cstdio>
#include <ostream>

#include "cli.h"
#include "device/device_status.h"
#include "device/library_macro_source.h"
#include "device/pointer_settings.h"
#include "device/settings_image.h"
#include "device/settings_store.h"
#include "device/settings_upload.h"
#include "device_session.h"
#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "settings/config_file.h"

namespace tarvosk::cli {

namespace {

BuiltInMacroTable loadBuiltIns(Context& ctx, int32_t language) {
  BuiltInMacroTable table;
  if (!readBuiltInMacros(ctx.paths.builtInMacroFile, language, table, ctx.prompter)) {
    ctx.err << "tarvosk-cli: no built-in macro file at " << ctx.paths.builtInMacroFile.string()
            << "; built-in macros are sent empty\n";
  }
  return table;
}

void tellMissingGroupIndex(Context& ctx, const std::filesystem::path& macroFolder) {
  std::error_code ec;
  const std::filesystem::path index = groupIndexFile(macroFolder);
  if (!std::filesystem::is_regular_file(index, ec)) {
    ctx.err << "tarvosk-cli: no macro group index at " << index.string() << "; no user macro is sent\n";
  }
}

// The window goes on without a group index; say what that means for the buttons.
void tellLostUserMacros(Context& ctx, const SettingsRecord& before, const SettingsRecord& after) {
  for (int slot = 0; slot < kProfileSlots; ++slot) {
    for (int b = 0; b < kButtons; ++b) {
      const int32_t was = before.buttonFunction[slot][b];
      if (was >= 256 && after.buttonFunction[slot][b] != was) {
        ctx.err << "tarvosk-cli: profile slot " << slot << " button " << b + 1 << ": user macro " << was / 256 - 1
                << ":" << was % 256 << " no longer exists; the button is set to none\n";
      }
    }
  }
}

// Uploads the settings as the window's apply does: the start-up status query (for the status
// nibble), then the whole upload, saves included.
int applyCommand(Context& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "usage: tarvosk-cli [device options] apply\n";
    return kExitUsage;
  }
  auto session = makeDeviceSession(ctx);
  if (!session) return kExitUsage;

  SettingsStore store;
  // A configuration without any known key would upload zeros: refused.
  if (!loadConfiguration(ctx, store.record, true)) return kExitFailure;
  const int32_t language = store.record.language;
  const std::filesystem::path macroFolder = ctx.paths.macroFolder(language);
  // Start-up reads the group index, dropping groups whose file is gone.
  MacroLibrary startupList;
  readGroupIndex(macroFolder, startupList, ctx.prompter);
  tellMissingGroupIndex(ctx, macroFolder);
  LibraryMacroSource source(macroFolder, language, loadBuiltIns(ctx, language));
  {
    SettingsRecord translated = store.record;
    (void)prepareUpload(translated, source);
    tellLostUserMacros(ctx, store.record, translated);
  }

  return runWithMouse(ctx, *session, [&] {
    // A mouse that does not answer here will not answer the upload's own query either; the
    // upload then saves the settings and says so.
    const std::optional<DeviceStatus> status = queryStartupStatus(session->channel);

    UnsupportedPointerSettings pointer;  // no desktop to talk to from here
    UploadState state;
    UploadContext upload{store,
                         session->channel,
                         source,
                         pointer,
                         ctx.prompter,
                         state,
                         ctx.paths.configFile,
                         status ? status->statusNibble : uint8_t{0},
                         {},
                         {}};
    const UploadResult result = uploadSettings(upload);
    if (result == UploadResult::MacroAreaAborted) {
      ctx.err << "tarvosk-cli: the upload stopped at the macros; nothing after them was sent or saved\n";
    }
    // A failed send or save has already been told through the prompter.
    return result == UploadResult::Completed ? kExitOk : kExitFailure;
  });
}

// The 0x00..0x7F image the upload would write, without any device or file write.
int imageCommand(Context& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "usage: tarvosk-cli [--sim-status-nibble N] image\n";
    return kExitUsage;
  }
  uint8_t nibble = 0;
  if (!readStatusNibbleOption(ctx, nibble)) return kExitUsage;
  SettingsRecord s;
  if (!loadConfiguration(ctx, s, false)) return kExitFailure;
  const std::filesystem::path macroFolder = ctx.paths.macroFolder(s.language);
  // Reads the group list without validating it, so no file is rewritten.
  tellMissingGroupIndex(ctx, macroFolder);
  LibraryMacroSource source(macroFolder, s.language, loadBuiltIns(ctx, s.language));

  const SettingsRecord before = s;
  const ButtonTranslation translation = prepareUpload(s, source);
  tellLostUserMacros(ctx, before, s);
  const SettingsImage image = buildSettingsImage(s, translation, nibble, 0);
  for (int row = 0; row < 0x80; row += 16) {
    char line[16];
    std::snprintf(line, sizeof line, "0x%02x:", row);
    ctx.out << line;
    for (int a = row; a < row + 16; ++a) {
      if (SettingsImage::written(a)) {
        std::snprintf(line, sizeof line, " %02x", image.bytes[static_cast<std::size_t>(a)]);
        ctx.out << line;
      } else {
        ctx.out << " --";
      }
    }
    ctx.out << '\n';
  }
  return kExitOk;
}

}  // namespace

void addUploadCommands(std::vector<Command>& commands) {
  commands.push_back({"", "apply", "", applyCommand});
  commands.push_back({"", "image", "", imageCommand});
}

}  // namespace tarvosk::cli
