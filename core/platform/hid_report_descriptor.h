#pragma once
// Reads a HID report descriptor (the bytes a device uses to describe its reports) far enough to
// say, per top-level collection, its usage page, usage and the byte lengths of its input, output
// and feature reports. hidapi on Linux does not give these, and the program needs the mouse's
// declared feature and input lengths.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarvosk {

struct HidCollectionInfo {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  // The longest report of each kind in the collection, in bytes, counting one byte for the
  // report ID (also for a device that numbers no reports, as the system's report calls expect);
  // 0 when the collection has no report of that kind.
  uint16_t inputReportLength = 0;
  uint16_t outputReportLength = 0;
  uint16_t featureReportLength = 0;
};

// The top-level collections of `descriptor` in order. Returns nullopt for a descriptor that is
// cut short inside an item, closes a collection it never opened, pops more global states than
// it pushed, or leaves a collection open at its end.
std::optional<std::vector<HidCollectionInfo>> parseReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace tarvosk
