// The report channel against the simulated mouse: exact report streams, pauses and memory.

#include "device/report_channel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <thread>

#include "device/report_trace.h"
#include "device/simulated_mouse.h"
#include "recording_pauser.h"

namespace tarvosk {
namespace {

using Bytes = std::vector<uint8_t>;

struct ChannelFixture : ::testing::Test {
  SimulatedMouse mouse;
  test::RecordingPauser pauser;
  ReportChannel channel{pauser};
  void SetUp() override { ASSERT_TRUE(channel.open(mouse.open("sim:mouse"), 8)); }
};

// A trace sink that keeps its lines in order, reports and pauses interleaved.
struct LineTrace : ReportTrace {
  std::vector<std::string> lines;
  void sent(std::span<const uint8_t> r) override { lines.push_back(traceLine("SET", r)); }
  void received(std::span<const uint8_t> r) override {
    lines.push_back(r.empty() ? "GET failed" : traceLine("GET", r));
  }
  void paused(int ms) override { lines.push_back("PAUSE " + std::to_string(ms)); }
};

TEST_F(ChannelFixture, AnEightByteBlockAt0x18IsTenReportsWithTheirPauses) {
  LineTrace trace;
  channel.setTrace(&trace);
  const Bytes data = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7};
  ASSERT_TRUE(channel.writeBlock(0x18, data));

  const std::vector<std::string> expected = {
      "SET 07 18 03 00 18 00 a0 07",
      "SET 07 18 03 01 18 00 a1 07",
      "SET 07 18 03 02 18 00 a2 07",
      "SET 07 18 03 03 18 00 a3 07",
      "SET 07 18 03 04 18 00 a4 07",
      "SET 07 18 03 05 18 00 a5 07",
      "SET 07 18 03 06 18 00 a6 07",
      "SET 07 18 03 07 18 00 a7 07",
      "PAUSE 4",
      "SET 07 18 09 00 18 00 00 07",
      "PAUSE 2",
      "SET 07 18 00 00 18 00 00 00",
  };
  EXPECT_EQ(trace.lines, expected);
  EXPECT_EQ(mouse.sentFeatureReports().size(), 10u);
  EXPECT_EQ(pauser.pauses(), (std::vector<int>{4, 2}));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(mouse.memoryAt(static_cast<uint16_t>(0x18 + i)), data[i]);
  EXPECT_EQ(mouse.memoryAt(0x17), 0);
  EXPECT_EQ(mouse.memoryAt(0x20), 0);
  EXPECT_EQ(mouse.protocolViolations(), 0);
}

TEST_F(ChannelFixture, BlocksLandAtHighAddressesAndAtTheirLengths) {
  ASSERT_TRUE(channel.writeBlock(0x0001, Bytes{0x42, 0xA5}));
  ASSERT_TRUE(channel.writeBlock(0x1238, Bytes{1, 2, 3}));
  const Bytes big(256, 0x5A);
  ASSERT_TRUE(channel.writeBlock(0xFF00, big));
  EXPECT_EQ(mouse.memoryAt(0x01), 0x42);
  EXPECT_EQ(mouse.memoryAt(0x02), 0xA5);
  EXPECT_EQ(mouse.memoryAt(0x03), 0x00);
  EXPECT_EQ(mouse.memoryAt(0x1238), 1);
  EXPECT_EQ(mouse.memoryAt(0x123A), 3);
  EXPECT_EQ(mouse.memoryAt(0x123B), 0);
  EXPECT_EQ(mouse.memoryAt(0xFFFF), 0x5A);
  // The address goes low byte first; the 256-byte block announces 255 as its last index.
  const auto reports = mouse.sentFeatureReports();
  EXPECT_EQ(reports[4], (Bytes{7, 0x18, 0x03, 0x00, 0x38, 0x12, 1, 2}));
  EXPECT_EQ(reports.back(), (Bytes{7, 0x18, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00}));
  EXPECT_EQ(mouse.protocolViolations(), 0);
}

TEST_F(ChannelFixture, EmptyAndOversizedBlocksSendNothing) {
  EXPECT_FALSE(channel.writeBlock(0x80, {}));
  EXPECT_FALSE(channel.writeBlock(0x80, Bytes(257, 1)));
  EXPECT_TRUE(mouse.received().empty());
  EXPECT_TRUE(pauser.pauses().empty());
}

TEST_F(ChannelFixture, UnlistedBytesKeepWhatThePreviousReportLeft) {
  ASSERT_TRUE(channel.sendFeature({0x49, 0x02, 0x42, 0x0F, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(channel.sendFeature({0x17, 0x02, 0x23}));
  ASSERT_TRUE(channel.sendFeature({0x18, 0x00, 0x00, 0x40, 0x02, 0x00, 0x00}));
  ASSERT_TRUE(sendLeaveCommand(channel));
  const auto reports = mouse.sentFeatureReports();
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_EQ(reports[1], (Bytes{7, 0x17, 0x02, 0x23, 0x0F, 0x00, 0x00, 0x00}));
  // The leave command rewrites bytes 1-3 only: bytes 4-7 are those of the report before it.
  EXPECT_EQ(reports[3], (Bytes{7, 0x20, 0x00, 0x00, 0x40, 0x02, 0x00, 0x00}));
  EXPECT_TRUE(mouse.leaveReceived());
  EXPECT_EQ(mouse.consumerUsagesPlayed(), (std::vector<uint16_t>{0x0223}));
}

TEST_F(ChannelFixture, MoreThanSevenCommandBytesAreRefused) {
  const Bytes eight(8, 1);
  EXPECT_FALSE(channel.sendFeature(std::span<const uint8_t>(eight)));
  EXPECT_TRUE(mouse.received().empty());
}

TEST_F(ChannelFixture, BytesBeyondTheSeventhKeepTheLastReplyOnALongerReport) {
  SimulatedMouse longMouse({.featureReportLength = 12});
  ReportChannel longChannel(pauser);
  ASSERT_TRUE(longChannel.open(longMouse.open("sim:mouse"), 12));
  ASSERT_TRUE(longChannel.sendFeature({0x11, 0x02}));
  const auto sent = longMouse.sentFeatureReports();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0], (Bytes{7, 0x11, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

// Unplugged inside a block, then left: the block stops at the failed report, the leave command
// fails the same way and says so, and the mouse took neither.
TEST_F(ChannelFixture, LeavingAMouseThatFailedInsideABlockReturnsFalse) {
  mouse.failFrom(4);
  EXPECT_FALSE(channel.writeBlock(0x80, Bytes(8, 0x5A)));
  EXPECT_EQ(mouse.received().size(), 5u);
  EXPECT_FALSE(sendLeaveCommand(channel));
  EXPECT_EQ(mouse.received().size(), 6u) << "one attempt, no retry loop";
  EXPECT_FALSE(mouse.leaveReceived());
  EXPECT_EQ(mouse.memoryAt(0x80), 0) << "an uncommitted block never reaches memory";
}

TEST(ReportChannel, LeavingWithoutAnOpenDeviceSendsNothing) {
  test::RecordingPauser pauser;
  ReportChannel channel(pauser);
  EXPECT_FALSE(sendLeaveCommand(channel));
  EXPECT_FALSE(channel.sendFeature({0x11, 0x00}));
  EXPECT_FALSE(channel.queryStatus().has_value());
  EXPECT_FALSE(channel.writeBlock(0x08, Bytes{1}));
  EXPECT_TRUE(pauser.pauses().empty());
}

TEST(ReportChannel, AFeatureReportShorterThanEightBytesIsRefused) {
  SimulatedMouse mouse({.featureReportLength = 7});
  test::RecordingPauser pauser;
  ReportChannel channel(pauser);
  EXPECT_FALSE(channel.open(mouse.open("sim:mouse"), 7));
  EXPECT_FALSE(channel.isOpen());
  EXPECT_FALSE(channel.open(nullptr, 8));
}

struct StatusCase {
  const char* name;
  int macroMemory;
  uint8_t profile;
  uint8_t nibble;
  uint8_t byte6;
  uint8_t byte7;
};

class StatusReply : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusReply, CarriesMemorySizeProfileAndNibble) {
  const StatusCase& c = GetParam();
  SimulatedMouse mouse({.macroMemory = c.macroMemory, .statusNibble = c.nibble, .activeProfile = c.profile});
  test::RecordingPauser pauser;
  ReportChannel channel(pauser);
  ASSERT_TRUE(channel.open(mouse.open("sim:mouse"), 8));
  const auto reply = channel.queryStatus();
  ASSERT_TRUE(reply);
  ASSERT_EQ(reply->size(), 8u);
  EXPECT_EQ((*reply)[0], 7);
  EXPECT_EQ((*reply)[6], c.byte6);
  EXPECT_EQ((*reply)[7], c.byte7);
  EXPECT_EQ(channel.buffer(), *reply);
}

INSTANTIATE_TEST_SUITE_P(Mouse, StatusReply,
                         ::testing::Values(StatusCase{"small_slot0", 2040, 0, 0, 0x00, 0x00},
                                           StatusCase{"large_slot0", 4088, 0, 5, 0x02, 0x05},
                                           StatusCase{"small_slot2", 2040, 2, 15, 0x08, 0x0F},
                                           StatusCase{"large_slot3", 4088, 3, 0x1A, 0x0E, 0x0A}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelFixture, AFailedStatusQueryLeavesTheBufferAsTheLastReportLeftIt) {
  ASSERT_TRUE(channel.sendFeature({0x49, 0x01, 0x41, 0x0F, 0x00, 0x33, 0x44}));
  mouse.failFrom(0);
  EXPECT_FALSE(channel.queryStatus().has_value());
  EXPECT_EQ(channel.buffer(), (Bytes{7, 0x49, 0x01, 0x41, 0x0F, 0x00, 0x33, 0x44}));
}

TEST_F(ChannelFixture, ABlockWriteStopsAtTheFirstFailedReport) {
  mouse.failFrom(3);
  EXPECT_FALSE(channel.writeBlock(0x08, Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  // Three reports went through, the fourth failed, nothing more was tried and no pause was made.
  EXPECT_EQ(mouse.sentFeatureReports().size(), 4u);
  EXPECT_TRUE(pauser.pauses().empty());
  EXPECT_EQ(mouse.memoryAt(0x08), 0);
}

TEST_F(ChannelFixture, TheStreamTraceWritesOneLinePerEvent) {
  std::ostringstream out;
  StreamReportTrace trace(out);
  channel.setTrace(&trace);
  ASSERT_TRUE(channel.writeBlock(0x01, Bytes{0x42, 0xA5}));
  ASSERT_TRUE(channel.queryStatus());
  mouse.failFrom(0);
  EXPECT_FALSE(channel.queryStatus());
  EXPECT_EQ(out.str(),
            "SET 07 18 03 00 01 00 42 01\n"
            "SET 07 18 03 01 01 00 a5 01\n"
            "PAUSE 4\n"
            "SET 07 18 09 00 01 00 00 01\n"
            "PAUSE 2\n"
            "SET 07 18 00 00 01 00 00 00\n"
            "GET 07 00 00 00 00 00 00 00\n"
            "GET failed\n");
}

TEST_F(ChannelFixture, HoldKeepsOtherThreadsOutOfASequence) {
  auto held = channel.hold();
  std::atomic<bool> sent{false};
  std::thread other([&] {
    channel.sendFeature({0x11, 0x02});
    sent = true;
  });
  ASSERT_TRUE(channel.sendFeature({0x49, 0x00, 0x40, 0x01}));
  ASSERT_TRUE(channel.sendFeature({0x18, 0x10, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(sent.load());
  held.unlock();
  other.join();
  const auto reports = mouse.sentFeatureReports();
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[2][1], 0x11);
}

}  // namespace
}  // namespace tarvosk

#include "device/device_status.h"

namespace tarvosk {
namespace {

TEST(DeviceStatus, StartUpPausesFiveMillisecondsThenReadsTheReply) {
  SimulatedMouse mouse({.macroMemory = 4088, .statusNibble = 9, .activeProfile = 3});
  test::RecordingPauser pauser;
  ReportChannel channel(pauser);
  ASSERT_TRUE(channel.open(mouse.open("sim:mouse"), 8));
  const auto status = queryStartupStatus(channel);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->macroMemory, 4088);
  EXPECT_EQ(status->activeProfile, 3);
  EXPECT_EQ(status->statusNibble, 9);
  EXPECT_EQ(pauser.pauses(), (std::vector<int>{5}));
  mouse.failFrom(0);
  EXPECT_FALSE(queryStartupStatus(channel));
}

TEST(DeviceStatus, AShortReplyIsRefusedAndHighBitsAreMasked) {
  EXPECT_FALSE(parseStatusReply(std::vector<uint8_t>{7, 0, 0, 0, 0, 0, 2}));
  const auto s = parseStatusReply(std::vector<uint8_t>{7, 0, 0, 0, 0, 0, 0xF1, 0xF3});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->macroMemory, 2040);
  EXPECT_EQ(s->activeProfile, 0);
  EXPECT_EQ(s->statusNibble, 3);
}

}  // namespace
}  // namespace tarvosk
