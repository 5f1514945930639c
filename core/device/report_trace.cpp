#include "device/report_trace.h"

#include <ostream>

namespace tarvosk {

std::string traceLine(std::string_view tag, std::span<const uint8_t> report) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(tag);
  for (const uint8_t b : report) {
    text += ' ';
    text += kHex[b >> 4];
    text += kHex[b & 0x0F];
  }
  return text;
}

void StreamReportTrace::sent(std::span<const uint8_t> report) { line(traceLine("SET", report)); }

void StreamReportTrace::received(std::span<const uint8_t> report) {
  line(report.empty() ? std::string("GET failed") : traceLine("GET", report));
}

void StreamReportTrace::paused(int ms) { line("PAUSE " + std::to_string(ms)); }

void StreamReportTrace::line(const std::string& text) {
  const std::lock_guard lock(m_mutex);
  m_out << text << '\n';
}

}  // namespace tarvosk
