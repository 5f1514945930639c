#include "device/settings_upload.h"

#include "device/device_status.h"
#include "device/macro_area_source.h"
#include "device/pointer_settings.h"
#include "device/report_channel.h"
#include "device/settings_store.h"
#include "settings/config_file.h"

namespace tarvosk {

namespace {

constexpr int kPauseAfterDpiCommand = 2;
constexpr int kPauseAfterEndOfImage = 2;

bool sendImageBlocks(ReportChannel& channel, const SettingsImage& image) {
  for (const MemoryBlock& block : image.blocks()) {
    if (!channel.writeBlock(block.address, block.bytes)) return false;
  }
  return true;
}

// DPI command, then end of image and the final close, as one sequence no other thread splits.
bool sendDpiAndEndOfImage(ReportChannel& channel, const SettingsRecord& s) {
  const auto hold = channel.hold();
  const uint8_t level = static_cast<uint8_t>(s.dpiLevel & 7);
  if (!channel.sendFeature({0x49, level, static_cast<uint8_t>(level + 0x40), dpiEnableMask(s), 0x00, 0x00, 0x00})) {
    return false;
  }
  channel.pause(kPauseAfterDpiCommand);
  if (!channel.sendFeature({0x18, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00})) return false;
  channel.pause(kPauseAfterEndOfImage);
  return channel.sendFeature({0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
}

}  // namespace

UploadResult uploadSettings(UploadContext& c) {
  const auto lock = c.store.lock();
  SettingsRecord& s = c.store.record;

  // Once a report fails nothing more is sent: the rest of the image would go nowhere, or worse,
  // into a mouse that lost part of a block.
  bool mouseAnswers = true;
  int macroMemory = kSmallMacroMemory;
  const auto reply = c.channel.queryStatus();
  const auto status = reply ? parseStatusReply(*reply) : std::nullopt;
  if (status) {
    macroMemory = status->macroMemory;
  } else {
    mouseAnswers = false;
  }

  const bool macroSaved = c.macros.refreshForUpload();
  if (!macroSaved) c.prompter.showMessage(kMacroNotSavedMessage);
  if (c.stopPreview) c.stopPreview();
  bool saved = saveCurrentProfile(s, c.configFile);

  const ButtonTranslation translation = prepareUpload(s, c.macros);
  c.store.hostFlags = translation.flags;

  const SettingsImage image = buildSettingsImage(s, translation, c.statusNibble, c.state.lastLedMode);
  if (mouseAnswers) mouseAnswers = sendImageBlocks(c.channel, image);
  if (mouseAnswers) c.state.lastLedMode = image.ledMode;

  c.state.correction = {};
  if (mouseAnswers) {
    const MacroAreaPlan plan = planMacroArea(s, translation, c.macros, macroMemory);
    switch (writeMacroArea(c.channel, plan, c.prompter)) {
      case MacroAreaResult::Completed: c.state.correction = plan.correction; break;
      case MacroAreaResult::Aborted: return UploadResult::MacroAreaAborted;
      case MacroAreaResult::DeviceFailed: mouseAnswers = false; break;
    }
  }
  if (mouseAnswers) mouseAnswers = sendDpiAndEndOfImage(c.channel, s);

  applyPointerSpeeds(s, c.pointer);
  for (int slot = 0; slot < kProfileSlots; ++slot) saved = saveSlot(s, c.configFile, slot) && saved;
  if (c.repaint) c.repaint();

  if (!mouseAnswers) c.prompter.showMessage(kMouseDidNotTakeSettingsMessage);
  if (!saved) c.prompter.showMessage(kSettingsNotSavedMessage);
  if (!mouseAnswers) return UploadResult::MouseFailed;
  return saved && macroSaved ? UploadResult::Completed : UploadResult::SaveFailed;
}

}  // namespace tarvosk
