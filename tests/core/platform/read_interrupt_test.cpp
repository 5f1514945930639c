// Waiting for input on a descriptor together with an interrupt, as the listener's read does on
// the mouse's node.

#include "platform/read_interrupt.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace tarvosk {
namespace {

using namespace std::chrono_literals;

struct Pipe {
  int fds[2] = {-1, -1};
  Pipe() { EXPECT_EQ(pipe(fds), 0); }
  ~Pipe() {
    for (const int fd : fds) {
      if (fd >= 0) close(fd);
    }
  }
  void write1() { ASSERT_EQ(write(fds[1], "x", 1), 1); }
  void closeWriter() {
    close(fds[1]);
    fds[1] = -1;
  }
};

TEST(ReadInterrupt, AWaitEndsOnlyForInputTheInterruptOrItsTimeout) {
  Pipe p;
  ReadInterrupt interrupt;
  ASSERT_GE(interrupt.fd(), 0);
  EXPECT_EQ(waitForInput(p.fds[0], &interrupt, 20), 0) << "timeout";
  EXPECT_EQ(waitForInput(p.fds[0], nullptr, 0), 0);

  std::thread writer([&] {
    std::this_thread::sleep_for(30ms);
    p.write1();
  });
  EXPECT_EQ(waitForInput(p.fds[0], &interrupt, -1), 1);
  writer.join();
  char c = 0;
  ASSERT_EQ(read(p.fds[0], &c, 1), 1);

  std::thread stopper([&] {
    std::this_thread::sleep_for(30ms);
    interrupt.raise();
  });
  EXPECT_EQ(waitForInput(p.fds[0], &interrupt, -1), 0);
  stopper.join();
  EXPECT_TRUE(interrupt.raised());
  EXPECT_EQ(waitForInput(p.fds[0], &interrupt, -1), 0) << "stays raised until cleared";
  interrupt.clear();
  EXPECT_FALSE(interrupt.raised());
  EXPECT_EQ(waitForInput(p.fds[0], &interrupt, 20), 0);
}

TEST(ReadInterrupt, AHungUpDescriptorIsAFailure) {
  Pipe p;
  ReadInterrupt interrupt;
  p.closeWriter();
  EXPECT_EQ(waitForInput(p.fds[0], &interrupt, -1), -1);
}

}  // namespace
}  // namespace tarvosk
