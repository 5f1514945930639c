#pragma once
// How the program reaches HID devices: list the top-level collections of the attached HID
// interfaces, open one, exchange feature reports and read input reports. Two backends implement
// it: hidapi on hidraw (hidapi_transport.h) and the simulated mouse (device/simulated_mouse.h).

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/read_interrupt.h"

namespace tarvosk {

// One top-level collection of an attached HID interface. Report lengths count the report ID byte,
// as the mouse's documentation of its collections does; 0 means the collection has no such report.
struct HidInterfaceInfo {
  std::string path;  // what open() takes; several collections may share one path
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  uint16_t inputReportLength = 0;
  uint16_t featureReportLength = 0;
};

// An open HID interface. One connection may serve several threads at once: a reader blocked in
// readInput while another thread exchanges feature reports.
class HidConnection {
 public:
  virtual ~HidConnection() = default;
  // Sends a feature report; report[0] is the report ID. Returns false when the device refused it
  // or is gone.
  virtual bool setFeature(std::span<const uint8_t> report) = 0;
  // Fetches the feature report whose ID is in report[0] into `report`. Returns the number of bytes
  // received (report ID included), or -1 on failure, in which case `report` is left unchanged.
  virtual int getFeature(std::span<uint8_t> report) = 0;
  // Waits for one input report and copies it into `report` (report ID first). The wait ends with
  // the report, after `timeoutMs` (negative: no limit), or as soon as `interrupt` (may be null)
  // is raised, and wakes for nothing else. Returns the number of bytes read, 0 when the time ran
  // out or the read was interrupted, -1 when the device failed or is gone.
  virtual int readInput(std::span<uint8_t> report, int timeoutMs, const ReadInterrupt* interrupt) = 0;
};

class HidTransport {
 public:
  virtual ~HidTransport() = default;
  // Every top-level collection of every attached HID interface, in the system's enumeration order.
  virtual std::vector<HidInterfaceInfo> enumerate() = 0;
  // Opens the interface at `path` for reading and writing. Returns nullptr when it cannot be opened.
  virtual std::shared_ptr<HidConnection> open(const std::string& path) = 0;
};

}  // namespace tarvosk
