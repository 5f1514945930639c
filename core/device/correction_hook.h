#pragma once
// Binds the listener's ballistic-correction callback to the macro library and to where the last
// upload placed each slot's key-0 macro.

#include <functional>

#include "device/macro_area_source.h"
#include "device/report_channel.h"
#include "device/settings_store.h"
#include "device/settings_upload.h"

namespace tarvosk {

// The callback for DeviceWorkerContext::correctionStep. It runs correctionStep, which takes the
// store's lock before it reads `state`, so an upload rewriting the places in between is safe.
// Every argument must outlive the worker threads.
inline std::function<void(int direction)> correctionHook(SettingsStore& store, ReportChannel& channel,
                                                         MacroSource& macros, const UploadState& state) {
  return [&store, &channel, &macros, &state](int direction) {
    // Nothing to tell anyone when the step did not happen: the mouse keeps its previous macro.
    correctionStep(direction, store, channel, macros, state.correction);
  };
}

}  // namespace tarvosk
