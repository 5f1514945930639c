// devices | status | leave: what is attached, what the mouse says about itself, and telling it
// that the program has gone.

#include <cstdio>
#include <ostream>

#include "cli.h"
#include "device/device_status.h"
#include "device_session.h"

namespace tarvosk::cli {

namespace {

std::string hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", value & 0xFFFF);
  return text;
}

// Every collection of every attached interface whose identifiers are the mouse's.
int devicesCommand(Context& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "usage: tarvosk-cli [--device auto|sim] devices\n";
    return kExitUsage;
  }
  auto session = makeDeviceSession(ctx);
  if (!session) return kExitUsage;
  int listed = 0;
  for (const HidInterfaceInfo& i : session->transport->enumerate()) {
    if (!isAcceptedDevice(i.vendorId, i.productId)) continue;
    ctx.out << i.path << ' ' << hex4(i.vendorId) << ':' << hex4(i.productId) << " usagePage=0x" << hex4(i.usagePage)
            << " usage=0x" << hex4(i.usage) << " input=" << i.inputReportLength << " feature=" << i.featureReportLength
            << '\n';
    ++listed;
  }
  if (listed == 0) {
    ctx.err << "tarvosk-cli: no mouse found\n";
    return kExitFailure;
  }
  return finishDeviceSession(ctx, *session) ? kExitOk : kExitFailure;
}

// The start-up status query, printed.
int statusCommand(Context& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "usage: tarvosk-cli [device options] status\n";
    return kExitUsage;
  }
  auto session = makeDeviceSession(ctx);
  if (!session) return kExitUsage;
  return runWithMouse(ctx, *session, [&] {
    const auto status = queryStartupStatus(session->channel);
    if (!status) {
      ctx.err << "tarvosk-cli: the mouse did not answer the status request\n";
      return kExitFailure;
    }
    ctx.out << "macroMemory = " << status->macroMemory << '\n';
    ctx.out << "activeProfile = " << status->activeProfile << '\n';
    ctx.out << "statusNibble = " << int{status->statusNibble} << '\n';
    return kExitOk;
  });
}

// What the program sends when it ends: the mouse runs on its own from then on.
int leaveCommand(Context& ctx, const std::vector<std::string>& args) {
  if (!args.empty()) {
    ctx.err << "usage: tarvosk-cli [device options] leave\n";
    return kExitUsage;
  }
  auto session = makeDeviceSession(ctx);
  if (!session) return kExitUsage;
  return runWithMouse(ctx, *session, [&] {
    if (sendLeaveCommand(session->channel)) return kExitOk;
    ctx.err << "tarvosk-cli: the mouse did not take the leave command\n";
    return kExitFailure;
  });
}

}  // namespace

void addDeviceCommands(std::vector<Command>& commands) {
  commands.push_back({"", "devices", "", devicesCommand});
  commands.push_back({"", "status", "", statusCommand});
  commands.push_back({"", "leave", "", leaveCommand});
}

}  // namespace tarvosk::cli
