#pragma once
// The settings record together with the lock that keeps its readers and writers apart. The GUI
// thread, the upload, the listener and the poll thread all change the record and the
// configuration file; each load, save, upload and user change holds this lock for its whole
// length, so a profile slot is never seen half reloaded and the file is never written by two
// threads at once.
//
// Lock order: the store first, then the report channel (report_channel.h).

#include <mutex>

#include "device/host_flags.h"
#include "settings/settings_record.h"

namespace tarvosk {

struct SettingsStore {
  // Locks the store for one load, save, upload or user change.
  std::unique_lock<std::mutex> lock() { return std::unique_lock(mutex); }

  std::mutex mutex;
  SettingsRecord record;
  // Written by the upload's translation, read by the poll thread.
  HostFlags hostFlags;
};

}  // namespace tarvosk
