#include "platform/hid_report_descriptor.h"

#include <algorithm>
#include <array>
#include <map>

namespace tarvosk {

namespace {

// Item types and tags of short items.
constexpr uint8_t kTypeMain = 0;
constexpr uint8_t kTypeGlobal = 1;
constexpr uint8_t kTypeLocal = 2;

constexpr uint8_t kMainInput = 0x8;
constexpr uint8_t kMainOutput = 0x9;
constexpr uint8_t kMainFeature = 0xB;
constexpr uint8_t kMainCollection = 0xA;
constexpr uint8_t kMainEndCollection = 0xC;

constexpr uint8_t kGlobalUsagePage = 0x0;
constexpr uint8_t kGlobalReportSize = 0x7;
constexpr uint8_t kGlobalReportId = 0x8;
constexpr uint8_t kGlobalReportCount = 0x9;
constexpr uint8_t kGlobalPush = 0xA;
constexpr uint8_t kGlobalPop = 0xB;

constexpr uint8_t kLocalUsage = 0x0;

constexpr uint8_t kLongItemPrefix = 0xFE;

// A report longer than this is not a report this program could exchange; the lengths are
// capped so they fit the 16-bit fields.
constexpr uint64_t kMaxReportBits = 0xFFFEull * 8;

struct GlobalState {
  uint32_t usagePage = 0;
  uint32_t reportSize = 0;
  uint32_t reportCount = 0;
  uint32_t reportId = 0;
};

enum ReportKind { kInput, kOutput, kFeature, kKinds };

struct OpenCollection {
  HidCollectionInfo info;
  // Bits per report ID, per kind.
  std::array<std::map<uint32_t, uint64_t>, kKinds> bits;
};

uint16_t bytesOf(const std::map<uint32_t, uint64_t>& bitsById) {
  uint64_t longest = 0;
  for (const auto& [id, bits] : bitsById) longest = std::max(longest, std::min(bits, kMaxReportBits));
  if (bitsById.empty()) return 0;
  return static_cast<uint16_t>((longest + 7) / 8 + 1);
}

}  // namespace

std::optional<std::vector<HidCollectionInfo>> parseReportDescriptor(std::span<const uint8_t> descriptor) {
  std::vector<HidCollectionInfo> result;
  GlobalState global;
  std::vector<GlobalState> pushed;
  // Local: the first usage since the last main item, as written. A usage of one or two bytes
  // takes the usage page in force at the main item, which may be set after the usage.
  bool haveUsage = false;
  uint32_t firstUsage = 0;
  bool firstUsageExtended = false;
  int depth = 0;
  std::optional<OpenCollection> top;

  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const uint8_t prefix = descriptor[pos];
    if (prefix == kLongItemPrefix) {
      if (pos + 3 > descriptor.size()) return std::nullopt;
      const std::size_t dataSize = descriptor[pos + 1];
      if (pos + 3 + dataSize > descriptor.size()) return std::nullopt;
      pos += 3 + dataSize;  // long items carry nothing this program needs
      continue;
    }
    const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
    const uint8_t type = (prefix >> 2) & 3;
    const uint8_t tag = prefix >> 4;
    if (pos + 1 + size > descriptor.size()) return std::nullopt;
    uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= uint32_t{descriptor[pos + 1 + i]} << (8 * i);
    pos += 1 + size;

    if (type == kTypeGlobal) {
      switch (tag) {
        case kGlobalUsagePage: global.usagePage = value; break;
        case kGlobalReportSize: global.reportSize = value; break;
        case kGlobalReportCount: global.reportCount = value; break;
        case kGlobalReportId: global.reportId = value; break;
        case kGlobalPush: pushed.push_back(global); break;
        case kGlobalPop:
          if (pushed.empty()) return std::nullopt;
          global = pushed.back();
          pushed.pop_back();
          break;
        default: break;
      }
      continue;
    }
    if (type == kTypeLocal) {
      if (tag == kLocalUsage && !haveUsage) {
        haveUsage = true;
        firstUsage = value;
        firstUsageExtended = size == 4;  // a four-byte usage carries its own page in the high half
      }
      continue;
    }
    if (type != kTypeMain) continue;

    switch (tag) {
      case kMainCollection:
        if (depth == 0) {
          OpenCollection c;
          const uint32_t page = (global.usagePage & 0xFFFF) << 16;
          const uint32_t usage = !haveUsage ? page : firstUsageExtended ? firstUsage : page | (firstUsage & 0xFFFF);
          c.info.usagePage = static_cast<uint16_t>(usage >> 16);
          c.info.usage = static_cast<uint16_t>(usage & 0xFFFF);
          top = std::move(c);
        }
        ++depth;
        break;
      case kMainEndCollection:
        if (depth == 0) return std::nullopt;
        if (--depth == 0 && top) {
          top->info.inputReportLength = bytesOf(top->bits[kInput]);
          top->info.outputReportLength = bytesOf(top->bits[kOutput]);
          top->info.featureReportLength = bytesOf(top->bits[kFeature]);
          result.push_back(top->info);
          top.reset();
        }
        break;
      case kMainInput:
      case kMainOutput:
      case kMainFeature: {
        // Fields outside every collection belong to no collection the system would list.
        if (!top) break;
        const ReportKind kind = tag == kMainInput ? kInput : tag == kMainOutput ? kOutput : kFeature;
        uint64_t& bits = top->bits[kind][global.reportId];
        bits = std::min(bits + uint64_t{global.reportSize} * global.reportCount, kMaxReportBits);
        break;
      }
      default: break;
    }
    haveUsage = false;  // local items last until the next main item
  }
  if (depth != 0) return std::nullopt;
  return result;
}

}  // namespace tarvosk
