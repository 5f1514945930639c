#pragma once
// A pauser for device tests: it remembers each pause instead of sleeping through it.

#include <mutex>
#include <numeric>
#include <vector>

#include "device/report_channel.h"

namespace tarvosk::test {

class RecordingPauser : public Pauser {
 public:
  void pause(int ms) override {
    const std::lock_guard lock(m_mutex);
    m_pauses.push_back(ms);
  }
  std::vector<int> pauses() const {
    const std::lock_guard lock(m_mutex);
    return m_pauses;
  }
  int total() const {
    const std::lock_guard lock(m_mutex);
    return std::accumulate(m_pauses.begin(), m_pauses.end(), 0);
  }

 private:
  mutable std::mutex m_mutex;
  std::vector<int> m_pauses;
};

}  // namespace tarvosk::test
