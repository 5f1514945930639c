#pragma once
// The two threads that listen to the mouse while the program runs. The listener blocks in reads
// of input report 6 and turns them into flags; the poll thread, woken by the listener, does on the
// host what a press asks for: it tells the mouse that a host-function button went down or up,
// plays multimedia usages, follows DPI changes and profile switches made on the mouse.
//
// Both sleep until there is something to do: the listener until a report arrives or it is told
// to stop, the poll thread until a report changed the flags, the profile changed or the window
// said the tables changed. An idle program wakes neither.
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

class DeviceWorkers {
 public:
  explicit DeviceWorkers(DeviceWorkerContext context);
  ~DeviceWorkers();
  DeviceWorkers(const DeviceWorkers&) = delete;
  DeviceWorkers& operator=(const DeviceWorkers&) = delete;

  // Starts both threads; a second call does nothing.
  void start();
  // Stops both threads and joins them; a listener blocked in a read returns at once.
  void stop();

  // The listener reads from `connection` (input reports of `inputReportLength` bytes) from now
  // on; nullptr makes it wait, without spinning, until a mouse is found.
  void setInput(std::shared_ptr<HidConnection> connection, std::size_t inputReportLength);

  // Waits until the listener has handled `reports` input reports since start() (counting ignored
  // ones) and the poll thread has finished every pass they asked for. Returns false when
  // `timeout` ran out first.
  bool waitUntilHandled(uint64_t reports, std::chrono::milliseconds timeout);

  ListenerFlags flags() const;

  // Tells the poll thread that the current slot or the host tables changed (an apply, a tab
  // selected in the window), so a press or release still waiting for a host-function button is
  // looked at again.
  void settingsChanged();

  // How often the listener has come back from waiting (for a report, a mouse, a stop request or
  // after a failed read) since it started: what an idle program costs.
  uint64_t listenerWakeups() const;

  // One pass of the poll thread over the current flags; the thread runs it on every wake-up.
  // Public so a single pass can be checked without threads.
  void runPollPass();
  // What the listener does with one input report (`report` as read, ID first).
  void handleInputReport(std::span<const uint8_t> report);

 private:
  void listenerLoop();
  void pollLoop();
  // True when the slot was reloaded.
  bool reloadProfileFromMouse();
  // Asks the poll thread for one more pass; takes m_mutex.
  void requestPass();

  DeviceWorkerContext m_context;
  mutable std::mutex m_mutex;  // flags, input connection, counters; taken after the store and the channel
  std::condition_variable m_changed;
  ListenerFlags m_flags;
  std::shared_ptr<HidConnection> m_input;
  std::size_t m_inputLength = 0;
  uint64_t m_inputGeneration = 0;  // bumped by setInput so a blocked listener picks up the new one
  uint64_t m_reportsHandled = 0;
  uint64_t m_flagGeneration = 0;    // bumped whenever the poll thread has something to look at
  uint64_t m_passedGeneration = 0;  // the flag generation the poll thread last finished
  uint64_t m_listenerWakeups = 0;
  bool m_stopping = false;
  ReadInterrupt m_readInterrupt;  // raised by stop() and setInput() to end the listener's read
  std::thread m_listener;
  std::thread m_poll;
};

}  // namespace tarvosk
