#pragma once
// Tells when a HID node appears or goes away, so the program can find the mouse again when it
// is plugged back in and notice when it is pulled out. Watches the kernel's device events for
// the hidraw subsystem through libudev, on a thread of its own that sleeps until an event comes.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

struct udev;
struct udev_monitor;

namespace tarvosk {

enum class HidDeviceChange { Arrived, Removed };

// The change a device event's action stands for: "add" arrives, "remove" goes; nullopt for
// every other action ("change", "bind", ...).
std::optional<HidDeviceChange> hidDeviceChangeForAction(std::string_view action);

class HidMonitor {
 public:
  // Called on the monitor's thread with the node's path ("/dev/hidraw3"); it must not block long.
  using Callback = std::function<void(HidDeviceChange change, const std::string& devicePath)>;

  HidMonitor() = default;
  ~HidMonitor();
  HidMonitor(const HidMonitor&) = delete;
  HidMonitor& operator=(const HidMonitor&) = delete;

  // Starts watching. Returns false, watching nothing, when the system gives no device events
  // (no udev, no netlink) or the monitor already runs; the program then works without them.
  bool start(Callback callback);
  // Stops the thread and joins it. Safe to call when not started.
  void stop();
  bool running() const { return m_thread.joinable(); }

 private:
  void loop();

  Callback m_callback;
  struct udev* m_udev = nullptr;
  struct udev_monitor* m_monitor = nullptr;
  int m_wakeFd = -1;
  std::thread m_thread;
};

}  // namespace tarvosk
