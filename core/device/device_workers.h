#pragma once
// The two threads that listen to the mouse while the program runs. The listener blocks in reads
// of input report 6 and turns them into flags; the poll thread, woken by the listener, does on the
// host what a press asks for: it tells the mouse that a host-function button went down or up,
// plays multimedia usages, follows DPI changes and profile switches made on the mouse.
//
// Neither thread touches the window: they ask for a repaint through a callback, which the window
// turns into a queued call. Both stop and are joined by stop() or the destructor.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "device/input_report.h"
#include "device/report_channel.h"
#include "device/settings_store.h"
#include "platform/hid_transport.h"
#include "platform/paths.h"
#include "platform/prompter.h"

namespace tarvosk {

struct DeviceWorkerContext {
  ReportChannel& channel;
  SettingsStore& store;
  Paths paths;
  // Messages of a failed reload; it is called from the worker threads.
  Prompter& prompter;
  // Asks the window to repaint from the record; called from the worker threads.
  std::function<void()> repaint;
  // The ballistic-correction step of the first button's macro (1 up, 0 down); called from the
  // listener with no lock held. Empty: the steps are ignored.
  std::function<void(int direction)> correctionStep;
};

// How long the listener's read waits before it looks whether it should stop.
inline constexpr int kListenerReadTimeoutMs = 100;

class DeviceWorkers {
 public:
  explicit DeviceWorkers(DeviceWorkerContext context);
  ~DeviceWorkers();
  DeviceWorkers(const DeviceWorkers&) = delete;
  DeviceWorkers& operator=(const DeviceWorkers&) = delete;

  // Starts both threads; a second call does nothing.
  void start();
  // Stops both threads and joins them; waits at most one read timeout for the listener.
  void stop();

  // The listener reads from `connection` (input reports of `inputReportLength` bytes) from now
  // on; nullptr makes it wait, without spinning, until a mouse is found.
  void setInput(std::shared_ptr<HidConnection> connection, std::size_t inputReportLength);

  // Waits until the listener has handled `reports` input reports since start() (counting ignored
  // ones) and the poll thread has finished every pass they asked for. Returns false when
  // `timeout` ran out first.
  bool waitUntilHandled(uint64_t reports, std::chrono::milliseconds timeout);

  ListenerFlags flags() const;

  // One pass of the poll thread over the current flags; the thread runs it on every wake-up.
  // Public so a single pass can be checked without threads.
  void runPollPass();
  // What the listener does with one input report (`report` as read, ID first).
  void handleInputReport(std::span<const uint8_t> report);

 private:
  void listenerLoop();
  void pollLoop();
  void reloadProfileFromMouse();

  DeviceWorkerContext m_context;
  mutable std::mutex m_mutex;  // flags, input connection, counters; taken after the store and the channel
  std::condition_variable m_changed;
  ListenerFlags m_flags;
  std::shared_ptr<HidConnection> m_input;
  std::size_t m_inputLength = 0;
  uint64_t m_inputGeneration = 0;  // bumped by setInput so a blocked listener picks up the new one
  uint64_t m_reportsHandled = 0;
  uint64_t m_flagGeneration = 0;    // bumped whenever the listener changed the flags
  uint64_t m_passedGeneration = 0;  // the flag generation the poll thread last finished
  bool m_stopping = false;
  std::thread m_listener;
  std::thread m_poll;
};

}  // namespace tarvosk
