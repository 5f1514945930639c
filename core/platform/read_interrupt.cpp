#include "platform/read_interrupt.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

namespace tarvosk {

namespace {
// Without an eventfd the wait still ends on a raise, only this much later.
constexpr int kFallbackSliceMs = 100;
}  // namespace

ReadInterrupt::ReadInterrupt() : m_fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ReadInterrupt::~ReadInterrupt() {
  if (m_fd >= 0) close(m_fd);
}

void ReadInterrupt::raise() {
  m_raised.store(true);
  if (m_fd < 0) return;
  const uint64_t one = 1;
  // A full counter (never reached in practice) is still readable, which is all a raise needs.
  [[maybe_unused]] const ssize_t n = write(m_fd, &one, sizeof one);
}

void ReadInterrupt::clear() {
  m_raised.store(false);
  if (m_fd < 0) return;
  uint64_t count = 0;
  // Non-blocking: nothing to drain is fine.
  [[maybe_unused]] const ssize_t n = read(m_fd, &count, sizeof count);
}

int waitForInput(int inputFd, const ReadInterrupt* interrupt, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    if (interrupt && interrupt->raised()) return 0;
    int wait = -1;
    if (timeoutMs >= 0) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
      wait = left > 0 ? static_cast<int>(left) : 0;
    }
    const bool fallback = interrupt && interrupt->fd() < 0;
    if (fallback && (wait < 0 || wait > kFallbackSliceMs)) wait = kFallbackSliceMs;
    pollfd fds[2] = {{inputFd, POLLIN, 0}, {interrupt && !fallback ? interrupt->fd() : -1, POLLIN, 0}};
    const int n = poll(fds, 2, wait);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (fds[0].revents & POLLIN) return 1;
    if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return -1;
    if (fds[1].revents) return 0;
    if (n == 0 && timeoutMs >= 0 && Clock::now() >= deadline) return 0;
  }
}

}  // namespace tarvosk
