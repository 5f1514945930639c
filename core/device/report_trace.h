#pragma once
// A record of every report the program exchanges with the mouse and every pause between them,
// one line per event, so a run can be compared byte for byte with another:
//   SET 07 18 03 00 18 00 ab 07     a feature report sent (every byte, lower-case hex)
//   GET 07 00 00 00 00 00 0a 03     a feature report fetched, as the mouse returned it
//   GET failed                      a fetch the device refused
//   PAUSE 4                         a pause the protocol requires, in milliseconds

#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <span>
#include <string>

namespace tarvosk {

class ReportTrace {
 public:
  virtual ~ReportTrace() = default;
  virtual void sent(std::span<const uint8_t> report) = 0;
  // `report` is empty when the fetch failed.
  virtual void received(std::span<const uint8_t> report) = 0;
  virtual void paused(int ms) = 0;
};

// "SET 07 20 00 …": the text of one trace line, without the line end.
std::string traceLine(std::string_view tag, std::span<const uint8_t> report);

// Writes the trace lines to a stream; safe to share between threads.
class StreamReportTrace : public ReportTrace {
 public:
  explicit StreamReportTrace(std::ostream& out) : m_out(out) {}
  void sent(std::span<const uint8_t> report) override;
  void received(std::span<const uint8_t> report) override;
  void paused(int ms) override;

 private:
  void line(const std::string& text);
  std::mutex m_mutex;
  std::ostream& m_out;
};

}  // namespace tarvosk
