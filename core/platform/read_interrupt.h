#pragma once
// Ends a blocked input read from another thread, so a reader can wait for a report with no
// timeout and still be stopped at once. It is a flag with a file descriptor that is readable
// while the flag is raised: readers poll it together with their own input.

#include <atomic>

namespace tarvosk {

class ReadInterrupt {
 public:
  ReadInterrupt();
  ~ReadInterrupt();
  ReadInterrupt(const ReadInterrupt&) = delete;
  ReadInterrupt& operator=(const ReadInterrupt&) = delete;

  // Raises the flag: a read waiting on it returns, and so does every later one until clear().
  void raise();
  // Lowers the flag; the reader calls it before it looks at what it should read next.
  void clear();
  bool raised() const { return m_raised.load(); }
  // Readable while raised; -1 when the system gave no descriptor (readers then fall back to
  // short waits and look at raised()).
  int fd() const { return m_fd; }

 private:
  int m_fd = -1;
  std::atomic<bool> m_raised{false};
};

// Waits until `inputFd` is readable, `interrupt` is raised or `timeoutMs` ran out (negative: no
// limit). Returns 1 when input is ready, 0 on the interrupt or the timeout, -1 when `inputFd`
// failed (hung up, closed, or an error of the wait itself).
int waitForInput(int inputFd, const ReadInterrupt* interrupt, int timeoutMs);

}  // namespace tarvosk
