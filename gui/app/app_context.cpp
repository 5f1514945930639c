#include "app/app_context.h"

#include <fstream>

#include "device/unopened_mouse.h"
#include "macro/macro_file.h"
#include "window/language_switch.h"
#include "desktop/desktop_pointer_settings.h"
#include "platform/hidapi_transport.h"

namespace tarvosk {

void SwitchableMacroSource::reset(const std::filesystem::path& macroFolder, int32_t language,
                                  const BuiltInMacroTable& builtIns) {
  auto source = std::make_unique<LibraryMacroSource>(macroFolder, language, builtIns);
  std::lock_guard lock(m_mutex);
  m_source = std::move(source);
}

void SwitchableMacroSource::setEditedMacro(const MacroStore* store, int group, int macro) {
  std::lock_guard lock(m_mutex);
  if (m_source) m_source->setEditedMacro(store, group, macro);
}

int SwitchableMacroSource::groupCount() const {
  std::lock_guard lock(m_mutex);
  return m_source ? m_source->groupCount() : 0;
}

int SwitchableMacroSource::macroCount(int group) const {
  std::lock_guard lock(m_mutex);
  return m_source ? m_source->macroCount(group) : 0;
}

MacroRecord SwitchableMacroSource::userMacro(int group, int index) const {
  std::lock_guard lock(m_mutex);
  return m_source ? m_source->userMacro(group, index) : MacroRecord{};
}

MacroRecord SwitchableMacroSource::builtInMacro(int index) const {
  std::lock_guard lock(m_mutex);
  return m_source ? m_source->builtInMacro(index) : MacroRecord{};
}

bool SwitchableMacroSource::refreshForUpload() {
  std::lock_guard lock(m_mutex);
  return m_source ? m_source->refreshForUpload() : true;
}

bool SwitchableMacroSource::writeUserMacro(int group, int index, const MacroRecord& macro) {
  std::lock_guard lock(m_mutex);
  const bool written = m_source && m_source->writeUserMacro(group, index, macro);
  if (written && m_rewriteListener) m_rewriteListener(group, index);
  return written;
}

void SwitchableMacroSource::setRewriteListener(std::function<void(int group, int index)> listener) {
  std::lock_guard lock(m_mutex);
  m_rewriteListener = std::move(listener);
}

AppContext::AppContext(WindowOptions windowOptions) : options(std::move(windowOptions)), paths(windowPaths(options)) {
  if (options.simulate) {
    auto mouse = std::make_unique<SimulatedMouse>(options.simulatedMouse);
    simulatedMouse = mouse.get();
    transport = std::move(mouse);
    pointer = std::make_unique<UnsupportedPointerSettings>();
  } else {
    transport = std::make_unique<HidapiTransport>();
    pointer = makeDesktopPointerSettings(DesktopEnvironment::fromProcessEnvironment());
  }
}

std::filesystem::path AppContext::macroFolder() const { return paths.macroFolder(store.record.language); }

std::filesystem::path AppContext::macroResetFolder() const { return paths.macroResetFolder(store.record.language); }

Paths windowPaths(const WindowOptions& options) {
  const std::filesystem::path programFolder = executableFolder();
  if (options.skinsFolder) return portablePaths(programFolder, *options.skinsFolder);
  Paths paths = discoverPaths(programFolder);
  // A copy that failed shows up later as the missing file's own message.
  if (!paths.portable) seedUserFiles(paths);
  return paths;
}

void loadMacroLibrary(AppContext& context, int32_t language, Prompter& prompter) {
  const std::filesystem::path folder = context.paths.macroFolder(language);
  loadLanguageLibrary(context.paths, language, context.library, context.macros, context.currentMacro, prompter);
  context.builtIns = BuiltInMacroTable{};
  readBuiltInMacros(context.paths.builtInMacroFile, language, context.builtIns, prompter);
  const int events = context.macros.slots[0].eventCount;
  context.eventLineUnderCursor = events > 0 ? 2 * events - 2 : 0;
  context.macroSource.reset(folder, language, context.builtIns);
  if (context.library.groupCount > 0) {
    context.macroSource.setEditedMacro(&context.macros, context.library.currentGroup, context.currentMacro);
  }
}

bool connectMouse(AppContext& context, std::string& message) {
  message.clear();
  if (!discoverDevice(*context.transport, context.device)) return false;
  if (context.device.refusedFeatureLength) {
    message = shortFeatureReportMessage(*context.device.refusedFeatureLength);
    return false;
  }
  if (!context.device.writeConnection || !context.device.writeCaps ||
      !context.channel.open(context.device.writeConnection, context.device.writeCaps->featureReportLength)) {
    message = unopenedMouseMessage(examineUnopenedMouse(context.device.devicePath));
    return false;
  }
  return true;
}

bool dumpSimulatedMemory(const AppContext& context, const std::filesystem::path& file) {
  if (!context.simulatedMouse) return false;
  const std::vector<uint8_t> memory = context.simulatedMouse->memory();
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));
  return static_cast<bool>(out);
}

}  // namespace tarvosk
