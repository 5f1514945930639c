#include "device/device_status.h"

namespace tarvosk {

std::optional<DeviceStatus> parseStatusReply(std::span<const uint8_t> reply) {
  if (reply.size() < kMinFeatureReportLength) return std::nullopt;
  DeviceStatus status;
  status.macroMemory = (reply[6] & 0x02) ? kLargeMacroMemory : kSmallMacroMemory;
  status.activeProfile = (reply[6] >> 2) & 0x03;
  status.statusNibble = reply[7] & 0x0F;
  return status;
}

std::optional<DeviceStatus> queryStartupStatus(ReportChannel& channel) {
  if (!channel.isOpen()) return std::nullopt;
  channel.pause(kStartupStatusPauseMs);
  const auto reply = channel.queryStatus();
  if (!reply) return std::nullopt;
  return parseStatusReply(*reply);
}

}  // namespace tarvosk
