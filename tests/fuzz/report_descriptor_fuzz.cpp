// The report-descriptor parser on any bytes: it refuses or parses, never reads past the end.
#include <cstdint>
#include <span>

#include "platform/hid_report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)tarvosk::parseReportDescriptor(std::span<const uint8_t>(data, size));
  return 0;
}
