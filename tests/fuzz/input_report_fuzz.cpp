// Input-report handling on any sequence of reports (each input split into 8-byte reports, the
// last one short): the listener flags stay usable whatever the mouse sends.
#include <cstdint>
#include <span>

#include "device/input_report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarvosk::ListenerFlags flags;
  for (size_t pos = 0; pos < size; pos += 8) {
    const size_t n = size - pos < 8 ? size - pos : 8;
    (void)tarvosk::applyInputReport(flags, std::span<const uint8_t>(data + pos, n));
  }
  return 0;
}
