#include "platform/hid_monitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cstdint>

namespace tarvosk {

std::optional<HidDeviceChange> hidDeviceChangeForAction(std::string_view action) {
  if (action == "add") return HidDeviceChange::Arrived;
  if (action == "remove") return HidDeviceChange::Removed;
  return std::nullopt;
}

HidMonitor::~HidMonitor() { stop(); }

bool HidMonitor::start(Callback callback) {
  if (m_thread.joinable()) return false;
  m_udev = udev_new();
  if (m_udev) m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
  if (m_monitor && udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) >= 0 &&
      udev_monitor_enable_receiving(m_monitor) >= 0) {
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  }
  if (m_wakeFd < 0) {
    stop();
    return false;
  }
  m_callback = std::move(callback);
  m_thread = std::thread([this] { loop(); });
  return true;
}

void HidMonitor::stop() {
  if (m_thread.joinable()) {
    const uint64_t one = 1;
    // The thread sleeps in poll(); the event fd wakes it. A failed write cannot happen on a
    // fresh eventfd counter, and the join would show it.
    [[maybe_unused]] const ssize_t written = write(m_wakeFd, &one, sizeof one);
    m_thread.join();
  }
  if (m_wakeFd >= 0) close(m_wakeFd);
  m_wakeFd = -1;
  if (m_monitor) udev_monitor_unref(m_monitor);
  m_monitor = nullptr;
  if (m_udev) udev_unref(m_udev);
  m_udev = nullptr;
}

void HidMonitor::loop() {
  std::array<pollfd, 2> fds{};
  fds[0] = {udev_monitor_get_fd(m_monitor), POLLIN, 0};
  fds[1] = {m_wakeFd, POLLIN, 0};
  for (;;) {
    if (poll(fds.data(), fds.size(), -1) < 0) continue;  // interrupted by a signal
    if (fds[1].revents) return;
    if (!(fds[0].revents & POLLIN)) continue;
    udev_device* device = udev_monitor_receive_device(m_monitor);
    if (!device) continue;
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    const auto change = hidDeviceChangeForAction(action ? action : "");
    if (change && node && m_callback) m_callback(*change, node);
    udev_device_unref(device);
  }
}

}  // namespace tarvosk
