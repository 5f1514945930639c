#pragma once
// Everything the window knows, owned in one place and passed by reference: the paths, the
// settings record behind its lock, the layout tables, the macro library of the interface
// language, the built-in macros and the device link. No Qt here; the window and its tests build
// one of these each.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "device/device_discovery.h"
#include "device/library_macro_source.h"
#include "device/macro_area_source.h"
#include "device/pointer_settings.h"
#include "device/report_channel.h"
#include "device/settings_store.h"
#include "device/settings_upload.h"
#include "device/simulated_mouse.h"
#include "macro/macro_library.h"
#include "macro/macro_record.h"
#include "platform/hid_transport.h"
#include "platform/paths.h"
#include "skin/skin_layout.h"

namespace tarvosk {

// The library on disk of the current interface language, for the upload and the ballistic step.
// The language can change while the worker threads hold on to this object, so the library behind
// it is swapped under a lock instead of replacing the object.
class SwitchableMacroSource : public MacroSource {
 public:
  // Works on `macroFolder` of `language` from now on; the group list is read at once.
  void reset(const std::filesystem::path& macroFolder, int32_t language, const BuiltInMacroTable& builtIns);
  // The macro being edited in the window, written back before each upload (see LibraryMacroSource).
  void setEditedMacro(const MacroStore* store, int group, int macro);

  int groupCount() const override;
  int macroCount(int group) const override;
  MacroRecord userMacro(int group, int index) const override;
  MacroRecord builtInMacro(int index) const override;
  bool refreshForUpload() override;
  bool writeUserMacro(int group, int index, const MacroRecord& macro) override;

  // Told (on the writing thread) after writeUserMacro changed macro `index` of group `group` in
  // its file, so the window can take the new version before it next writes that macro back.
  // An empty function stops the telling.
  void setRewriteListener(std::function<void(int group, int index)> listener);

 private:
  mutable std::mutex m_mutex;
  std::unique_ptr<LibraryMacroSource> m_source;
  std::function<void(int, int)> m_rewriteListener;
};

// How the window was asked to run.
struct WindowOptions {
  std::optional<std::filesystem::path> skinsFolder;  // --skins DIR
  bool simulate = false;                             // --simulate: the built-in simulated mouse
  SimulatedMouseDescription simulatedMouse;          // --sim-* options
  std::optional<std::filesystem::path> dumpMemory;   // --dump-memory FILE (with --simulate)
  std::string commandLine;                           // the whole command line, for -HIDE
};

struct AppContext {
  explicit AppContext(WindowOptions options);

  WindowOptions options;
  Paths paths;
  SettingsStore store;
  SkinLayout layout;

  // The macro library of the interface language and the group being edited.
  MacroLibrary library;
  MacroStore macros;
  int currentMacro = 0;
  int eventLineUnderCursor = 0;
  BuiltInMacroTable builtIns;
  SwitchableMacroSource macroSource;

  // The device link.
  std::unique_ptr<HidTransport> transport;
  SimulatedMouse* simulatedMouse = nullptr;  // the transport, with --simulate
  SleepingPauser pauser;
  ReportChannel channel{pauser};
  DeviceState device;
  UploadState uploadState;
  uint8_t statusNibble = 0;
  // The desktop's pointer speed and wheel lines. With --simulate the desktop is left alone, so
  // trying the program (or its tests) never changes the real pointer.
  std::unique_ptr<PointerSettings> pointer;

  // The macro folder and its factory copy for the current interface language.
  std::filesystem::path macroFolder() const;
  std::filesystem::path macroResetFolder() const;
};

// Paths for the window: the --skins folder when given (portable layout rooted there), else the
// layout found next to the executable. Installed mode seeds the user's files first.
Paths windowPaths(const WindowOptions& options);

// Reads the macro group index of the language's folder and, when there is a group, the current
// group and every group's macro names; then the built-in macros. Messages go to `prompter`.
void loadMacroLibrary(AppContext& context, int32_t language, Prompter& prompter);

// Runs discovery and opens the report channel. Returns true when the mouse can take reports.
// `message` receives what to tell the user when a mouse was found but cannot be used.
bool connectMouse(AppContext& context, std::string& message);

// The 64 KiB memory of the simulated mouse written to `file`. False when it cannot be written or
// no simulated mouse runs.
bool dumpSimulatedMemory(const AppContext& context, const std::filesystem::path& file);

}  // namespace tarvosk
