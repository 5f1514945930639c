#pragma once
// The mouse a device command talks to, built from the global options:
//   --device auto|sim            the first attached mouse (default), or the simulated one
//   --sim-macro-memory 2040|4088 --sim-status-nibble 0..15 --sim-profile 0..3   the simulated mouse
//   --sim-fail-after N           (sim only) every report after the first N feature reports fails
//   --trace FILE|-               every report and pause, one line each ("-": standard output)
//   --dump-memory FILE           (sim only) the simulated mouse's 65536 bytes after the command

#include <fstream>
#include <functional>
#include <memory>
#include <optional>

#include "cli.h"
#include "device/device_discovery.h"
#include "device/device_status.h"
#include "device/report_channel.h"
#include "device/report_trace.h"
#include "device/simulated_mouse.h"

namespace tarvosk::cli {

struct DeviceSession {
  std::unique_ptr<HidTransport> transport;  // hidapi, or the simulated mouse
  SimulatedMouse* sim = nullptr;            // the transport when --device sim
  SleepingPauser pauser;
  ReportChannel channel{pauser};
  DeviceState state;
  std::unique_ptr<std::ofstream> traceFile;
  std::unique_ptr<StreamReportTrace> trace;
  std::optional<std::string> dumpFile;
};

// Checks the device options and builds the transport and the trace; nothing is opened yet.
// On a bad option prints why and returns nullptr (exit status: usage).
std::unique_ptr<DeviceSession> makeDeviceSession(Context& ctx);

// Runs discovery and opens the report channel. Prints why and returns false when no mouse is
// attached or its feature collection cannot be used.
bool connectDevice(Context& ctx, DeviceSession& session);

// After the command: writes --dump-memory. Returns false (after a message) when it cannot.
bool finishDeviceSession(Context& ctx, DeviceSession& session);

// Connects to the mouse, runs `work` and finishes the session, also when no mouse connects.
// Returns work's exit status, or kExitFailure when the mouse could not be reached or the
// session could not be finished.
int runWithMouse(Context& ctx, DeviceSession& session, const std::function<int()>& work);

// Reads --sim-status-nibble into `nibble` (left as it is when the option is absent). Returns
// false after a message when the value is not a number from 0 to 15.
bool readStatusNibbleOption(Context& ctx, uint8_t& nibble);

// The names of the device options, for the global option table.
inline constexpr std::array<std::string_view, 7> kDeviceOptions = {
    "device", "sim-macro-memory", "sim-status-nibble", "sim-profile", "sim-fail-after", "trace", "dump-memory"};

}  // namespace tarvosk::cli
