#include "platform/hidapi_transport.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <set>

#include "platform/hid_report_descriptor.h"
#include "platform/hidraw_sysfs.h"

namespace tarvosk {

namespace {

// One hidraw node. Feature reports go through hidapi; input reports are read from a descriptor
// of our own on the same node. The listener blocks in a read while other threads exchange
// feature reports, and hidapi's device handle is not meant to be used from two threads at once;
// hidapi's read also cannot wait for a report and a stop request together, which the listener
// needs so that it sleeps until one of them comes (poll on the node and the interrupt).
class HidapiConnection : public HidConnection {
 public:
  // `inputFd` may be -1 (that open failed): reads then fail like those of a mouse that is gone.
  HidapiConnection(hid_device* feature, int inputFd) : m_feature(feature), m_inputFd(inputFd) {}
  ~HidapiConnection() override {
    hid_close(m_feature);
    if (m_inputFd >= 0) close(m_inputFd);
  }
  HidapiConnection(const HidapiConnection&) = delete;
  HidapiConnection& operator=(const HidapiConnection&) = delete;

  bool setFeature(std::span<const uint8_t> report) override {
    const std::lock_guard lock(m_featureMutex);
    return hid_send_feature_report(m_feature, report.data(), report.size()) >= 0;
  }

  int getFeature(std::span<uint8_t> report) override {
    if (report.empty()) return -1;
    std::vector<uint8_t> reply(report.begin(), report.end());
    int got;
    {
      const std::lock_guard lock(m_featureMutex);
      got = hid_get_feature_report(m_feature, reply.data(), reply.size());
    }
    if (got < 0) return -1;
    const auto n = std::min(static_cast<std::size_t>(got), reply.size());
    std::copy_n(reply.begin(), n, report.begin());
    return static_cast<int>(n);
  }

  int readInput(std::span<uint8_t> report, int timeoutMs, const ReadInterrupt* interrupt) override {
    // Only the listener reads; its descriptor is opened with the connection, on the thread that
    // runs discovery. A hidraw node hands out one whole report per read, ID first when the
    // device numbers its reports (as hidapi's own read does).
    if (m_inputFd < 0) return -1;
    const int ready = waitForInput(m_inputFd, interrupt, timeoutMs);
    if (ready <= 0) return ready;
    for (;;) {
      const ssize_t n = read(m_inputFd, report.data(), report.size());
      if (n >= 0) return static_cast<int>(n);
      if (errno == EINTR) continue;
      // EAGAIN: the wake-up brought no report after all; the caller simply reads again.
      return errno == EAGAIN ? 0 : -1;
    }
  }

 private:
  std::mutex m_featureMutex;
  hid_device* const m_feature;
  const int m_inputFd;
};

}  // namespace

std::vector<HidInterfaceInfo> interfacesOfNode(const std::string& path, uint16_t vendorId, uint16_t productId,
                                               std::optional<std::span<const uint8_t>> descriptor,
                                               uint16_t fallbackUsagePage, uint16_t fallbackUsage) {
  std::optional<std::vector<HidCollectionInfo>> collections;
  if (descriptor) collections = parseReportDescriptor(*descriptor);
  if (!collections || collections->empty()) {
    return {HidInterfaceInfo{path, vendorId, productId, fallbackUsagePage, fallbackUsage, 0, 0}};
  }
  std::vector<HidInterfaceInfo> out;
  for (const HidCollectionInfo& c : *collections) {
    out.push_back({path, vendorId, productId, c.usagePage, c.usage, c.inputReportLength, c.featureReportLength});
  }
  return out;
}

HidapiTransport::HidapiTransport(std::filesystem::path sysfsRoot) : m_sysfsRoot(std::move(sysfsRoot)) {
  hid_init();  // repeated calls are harmless; hidapi keeps no per-caller state
}

std::vector<HidInterfaceInfo> HidapiTransport::enumerate() {
  std::vector<HidInterfaceInfo> out;
  std::set<std::string> seen;
  hid_device_info* list = hid_enumerate(0, 0);
  for (const hid_device_info* d = list; d; d = d->next) {
    if (!d->path || !seen.insert(d->path).second) continue;  // one node, listed once per collection
    const auto descriptor = readHidrawDescriptor(d->path, m_sysfsRoot);
    std::optional<std::span<const uint8_t>> bytes;
    if (descriptor) bytes = std::span<const uint8_t>(*descriptor);
    auto node = interfacesOfNode(d->path, d->vendor_id, d->product_id, bytes, d->usage_page, d->usage);
    out.insert(out.end(), node.begin(), node.end());
  }
  hid_free_enumeration(list);
  return out;
}

std::shared_ptr<HidConnection> HidapiTransport::open(const std::string& path) {
  hid_device* feature = hid_open_path(path.c_str());
  if (!feature) return nullptr;
  // On the hidraw backend the path is the node itself (/dev/hidrawN). Non-blocking, so a read
  // after a spurious wake-up returns instead of hanging past a stop request.
  return std::make_shared<HidapiConnection>(feature, ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
}

}  // namespace tarvosk
