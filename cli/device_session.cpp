#include "device_session.h"

#include <charconv>
#include <ostream>

#include "device/unopened_mouse.h"
#include "platform/hidapi_transport.h"

namespace tarvosk::cli {

namespace {

// A whole decimal number within [low, high], or nullopt.
std::optional<int> parseNumber(const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace

bool readStatusNibbleOption(Context& ctx, uint8_t& nibble) {
  const auto text = ctx.option("sim-status-nibble");
  if (!text) return true;
  const auto value = parseNumber(*text, 0, 15);
  if (!value) {
    ctx.err << "tarvosk-cli: --sim-status-nibble takes a number from 0 to 15, not '" << *text << "'\n";
    return false;
  }
  nibble = static_cast<uint8_t>(*value);
  return true;
}

std::unique_ptr<DeviceSession> makeDeviceSession(Context& ctx) {
  auto session = std::make_unique<DeviceSession>();
  const std::string device = ctx.option("device").value_or("auto");
  if (device != "auto" && device != "sim") {
    ctx.err << "tarvosk-cli: --device takes auto or sim, not '" << device << "'\n";
    return nullptr;
  }
  const bool sim = device == "sim";
  for (const char* simOnly :
       {"sim-macro-memory", "sim-status-nibble", "sim-profile", "sim-fail-after", "dump-memory"}) {
    if (!sim && ctx.option(simOnly)) {
      ctx.err << "tarvosk-cli: --" << simOnly << " needs --device sim\n";
      return nullptr;
    }
  }

  if (sim) {
    SimulatedMouseDescription description;
    if (const auto memory = ctx.option("sim-macro-memory")) {
      const auto value = parseNumber(*memory, 0, 1 << 20);
      if (value != kSmallMacroMemory && value != kLargeMacroMemory) {
        ctx.err << "tarvosk-cli: --sim-macro-memory takes 2040 or 4088, not '" << *memory << "'\n";
        return nullptr;
      }
      description.macroMemory = *value;
    }
    if (!readStatusNibbleOption(ctx, description.statusNibble)) return nullptr;
    if (const auto profile = ctx.option("sim-profile")) {
      const auto value = parseNumber(*profile, 0, 3);
      if (!value) {
        ctx.err << "tarvosk-cli: --sim-profile takes a profile slot from 0 to 3, not '" << *profile << "'\n";
        return nullptr;
      }
      description.activeProfile = static_cast<uint8_t>(*value);
    }
    auto mouse = std::make_unique<SimulatedMouse>(description);
    if (const auto failAfter = ctx.option("sim-fail-after")) {
      // The mouse unplugged after that many feature reports: how a command copes with it.
      const auto value = parseNumber(*failAfter, 0, 1 << 24);
      if (!value) {
        ctx.err << "tarvosk-cli: --sim-fail-after takes a number of reports, not '" << *failAfter << "'\n";
        return nullptr;
      }
      mouse->failFrom(*value);
    }
    session->sim = mouse.get();
    session->transport = std::move(mouse);
  } else {
    session->transport = std::make_unique<HidapiTransport>();
  }

  if (const auto trace = ctx.option("trace")) {
    if (*trace == "-") {
      session->trace = std::make_unique<StreamReportTrace>(ctx.out);
    } else {
      session->traceFile = std::make_unique<std::ofstream>(*trace, std::ios::binary | std::ios::trunc);
      if (!*session->traceFile) {
        ctx.err << "tarvosk-cli: cannot write the trace file " << *trace << '\n';
        return nullptr;
      }
      session->trace = std::make_unique<StreamReportTrace>(*session->traceFile);
    }
    session->channel.setTrace(session->trace.get());
  }
  session->dumpFile = ctx.option("dump-memory");
  return session;
}

bool connectDevice(Context& ctx, DeviceSession& session) {
  if (!discoverDevice(*session.transport, session.state)) {
    ctx.err << "tarvosk-cli: no mouse found; plug it in and try again\n";
    return false;
  }
  if (session.state.refusedFeatureLength) {
    ctx.err << "tarvosk-cli: " << shortFeatureReportMessage(*session.state.refusedFeatureLength) << '\n';
    return false;
  }
  if (!session.state.writeConnection || !session.state.writeCaps ||
      !session.channel.open(session.state.writeConnection, session.state.writeCaps->featureReportLength)) {
    ctx.err << "tarvosk-cli: " << unopenedMouseMessage(examineUnopenedMouse(session.state.devicePath)) << '\n';
    return false;
  }
  return true;
}

bool finishDeviceSession(Context& ctx, DeviceSession& session) {
  if (session.traceFile) session.traceFile->flush();
  if (!session.dumpFile || !session.sim) return true;
  const std::vector<uint8_t> memory = session.sim->memory();
  std::ofstream out(*session.dumpFile, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));
  if (!out) {
    ctx.err << "tarvosk-cli: cannot write the memory dump " << *session.dumpFile << '\n';
    return false;
  }
  return true;
}

int runWithMouse(Context& ctx, DeviceSession& session, const std::function<int()>& work) {
  if (!connectDevice(ctx, session)) {
    finishDeviceSession(ctx, session);
    return kExitFailure;
  }
  const int status = work();
  const bool finished = finishDeviceSession(ctx, session);
  return status == kExitOk && !finished ? kExitFailure : status;
}

}  // namespace tarvosk::cli
