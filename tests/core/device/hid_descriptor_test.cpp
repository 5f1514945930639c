// Our report-descriptor parser, the sysfs descriptor lookup and the collections the hidapi
// transport lists for a node, on descriptors written for these tests.

#include <gtest/gtest.h>

#include "platform/hid_report_descriptor.h"
#include "platform/hidapi_transport.h"
#include "platform/hidraw_sysfs.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using Bytes = std::vector<uint8_t>;

// A gaming mouse as it describes itself: a pointer collection with five buttons and 16-bit
// motion (report 1), the vendor input collection (report 6, seven data bytes) and the vendor
// feature collection (report 7, seven data bytes).
const Bytes kMouseDescriptor = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x01, 0xA1, 0x00,  // pointer
    0x05, 0x09, 0x19, 0x01, 0x29, 0x05, 0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x03, 0x81, 0x01,  // padding to a byte
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x16, 0x01, 0x80, 0x26, 0xFF, 0x7F, 0x75, 0x10, 0x95, 0x02,
    0x81, 0x06, 0xC0, 0xC0, 0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x06, 0x09, 0x01, 0x15,
    0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0xC0, 0x06, 0x01, 0xFF, 0x09, 0x01,
    0xA1, 0x01, 0x85, 0x07, 0x09, 0x01, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0,
};

TEST(ReportDescriptor, GivesEachTopLevelCollectionItsUsageAndReportLengths) {
  const auto collections = parseReportDescriptor(kMouseDescriptor);
  ASSERT_TRUE(collections);
  ASSERT_EQ(collections->size(), 3u);
  const auto& pointer = (*collections)[0];
  EXPECT_EQ(pointer.usagePage, 0x0001);
  EXPECT_EQ(pointer.usage, 0x0002);
  EXPECT_EQ(pointer.inputReportLength, 6);  // 5 + 3 + 32 bits, plus the report ID
  EXPECT_EQ(pointer.featureReportLength, 0);
  const auto& input = (*collections)[1];
  EXPECT_EQ(input.usagePage, 0xFF00);
  EXPECT_EQ(input.usage, 1);
  EXPECT_EQ(input.inputReportLength, 8);
  EXPECT_EQ(input.featureReportLength, 0);
  const auto& feature = (*collections)[2];
  EXPECT_EQ(feature.usagePage, 0xFF01);
  EXPECT_EQ(feature.usage, 1);
  EXPECT_EQ(feature.inputReportLength, 0);
  EXPECT_EQ(feature.featureReportLength, 8);
}

TEST(ReportDescriptor, TakesTheLongestReportOfACollectionAndCountsTheIdByteWithoutIds) {
  const Bytes descriptor = {
      0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01,              // no report IDs at first
      0x75, 0x08, 0x95, 0x03, 0xB1, 0x02,                    // feature, 3 bytes, ID 0
      0x85, 0x07, 0x95, 0x10, 0xB1, 0x02,                    // feature report 7, 16 bytes
      0x85, 0x08, 0x95, 0x04, 0xB1, 0x02, 0x91, 0x02, 0xC0,  // report 8: 4 bytes feature and output
  };
  const auto collections = parseReportDescriptor(descriptor);
  ASSERT_TRUE(collections);
  ASSERT_EQ(collections->size(), 1u);
  EXPECT_EQ((*collections)[0].featureReportLength, 17);
  EXPECT_EQ((*collections)[0].outputReportLength, 5);
}

TEST(ReportDescriptor, FollowsPushPopFourByteUsagesAndSkipsLongItems) {
  const Bytes descriptor = {
      0x05, 0x0C, 0xA4,                          // consumer page, pushed
      0x06, 0x00, 0xFF, 0x75, 0x08,              // vendor page, 8-bit fields
      0xB4,                                      // pop: back to the consumer page, size 0
      0x0B, 0x01, 0x00, 0x01, 0xFF,              // usage 0xFF01:0001 given in four bytes
      0xA1, 0x01, 0xFE, 0x02, 0x10, 0xAA, 0xBB,  // a long item with two data bytes
      0x75, 0x08, 0x95, 0x07, 0x85, 0x07, 0xB1, 0x02, 0xC0,
      0x09, 0x01, 0xA1, 0x01, 0x95, 0x02, 0x81, 0x02, 0xC0,  // page from the pop: consumer
  };
  const auto collections = parseReportDescriptor(descriptor);
  ASSERT_TRUE(collections);
  ASSERT_EQ(collections->size(), 2u);
  EXPECT_EQ((*collections)[0].usagePage, 0xFF01);
  EXPECT_EQ((*collections)[0].usage, 0x0001);
  EXPECT_EQ((*collections)[0].featureReportLength, 8);
  EXPECT_EQ((*collections)[1].usagePage, 0x000C);
  EXPECT_EQ((*collections)[1].inputReportLength, 3);
}

// A short usage takes the page in force at the Collection item, also when the Usage Page item
// comes after the usage; a four-byte usage keeps its own page.
TEST(ReportDescriptor, AShortUsageTakesTheUsagePageInForceAtItsCollection) {
  const Bytes descriptor = {
      0x09, 0x01, 0x06, 0x00, 0xFF, 0xA1, 0x01,              // usage, then the vendor page
      0x85, 0x06, 0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0xC0,  // input report 6
      0x09, 0x01, 0x06, 0x01, 0xFF, 0xA1, 0x01,              // the same for the feature collection
      0x85, 0x07, 0x95, 0x07, 0xB1, 0x02, 0xC0,              //
      0x0B, 0x02, 0x00, 0x0C, 0x00, 0x05, 0x01, 0xA1, 0x01,  // consumer usage 2 in four bytes
      0x95, 0x01, 0x81, 0x02, 0xC0,
  };
  const auto collections = parseReportDescriptor(descriptor);
  ASSERT_TRUE(collections);
  ASSERT_EQ(collections->size(), 3u);
  EXPECT_EQ((*collections)[0].usagePage, 0xFF00);
  EXPECT_EQ((*collections)[0].usage, 1);
  EXPECT_EQ((*collections)[0].inputReportLength, 8);
  EXPECT_EQ((*collections)[1].usagePage, 0xFF01);
  EXPECT_EQ((*collections)[1].usage, 1);
  EXPECT_EQ((*collections)[1].featureReportLength, 8);
  EXPECT_EQ((*collections)[2].usagePage, 0x000C);
  EXPECT_EQ((*collections)[2].usage, 2);
}

struct BrokenCase {
  const char* name;
  Bytes bytes;
};

class BrokenDescriptor : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenDescriptor, IsRefused) { EXPECT_FALSE(parseReportDescriptor(GetParam().bytes).has_value()); }

INSTANTIATE_TEST_SUITE_P(Cases, BrokenDescriptor,
                         ::testing::Values(BrokenCase{"cut_inside_an_item", {0x06, 0x00}},
                                           BrokenCase{"cut_inside_a_four_byte_item", {0x0B, 0x01, 0x00}},
                                           BrokenCase{"cut_long_item", {0xFE, 0x05, 0x10, 0x01}},
                                           BrokenCase{"end_without_collection", {0x09, 0x01, 0xC0}},
                                           BrokenCase{"pop_without_push", {0xB4}},
                                           BrokenCase{"collection_left_open", {0x09, 0x01, 0xA1, 0x01, 0x81, 0x02}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReportDescriptor, HugeCountsAreCappedInsteadOfOverflowing) {
  const Bytes descriptor = {0x09, 0x01, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97,
                            0xFF, 0xFF, 0xFF, 0xFF, 0xB1, 0x02, 0xB1, 0x02, 0xC0};
  const auto collections = parseReportDescriptor(descriptor);
  ASSERT_TRUE(collections);
  EXPECT_EQ((*collections)[0].featureReportLength, 0xFFFF);
}

TEST(HidrawSysfs, FindsAndReadsTheDescriptorOfANode) {
  test::ScratchDir sys;
  const auto folder = sys.path() / "class" / "hidraw" / "hidraw3" / "device";
  std::filesystem::create_directories(folder);
  test::writeFile(folder / "report_descriptor",
                  std::string_view(reinterpret_cast<const char*>(kMouseDescriptor.data()), kMouseDescriptor.size()));
  const auto bytes = readHidrawDescriptor("/dev/hidraw3", sys.path());
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, kMouseDescriptor);
  EXPECT_FALSE(readHidrawDescriptor("/dev/hidraw4", sys.path()));
}

TEST(HidrawSysfs, RefusesPathsThatAreNotHidrawNodes) {
  for (const char* path :
       {"/dev/hidraw", "/dev/hidrawx", "/dev/hidraw3/../../etc", "sim:mouse", "", "/dev/usb/hiddev0"}) {
    EXPECT_FALSE(hidrawDescriptorFile(path).has_value()) << path;
  }
  EXPECT_EQ(hidrawDescriptorFile("/dev/hidraw12", "/sys"),
            std::filesystem::path("/sys/class/hidraw/hidraw12/device/report_descriptor"));
}

TEST(HidrawSysfs, RefusesAnOversizedDescriptor) {
  test::ScratchDir sys;
  const auto folder = sys.path() / "class" / "hidraw" / "hidraw0" / "device";
  std::filesystem::create_directories(folder);
  test::writeFile(folder / "report_descriptor", std::string(4097, '\x09'));
  EXPECT_FALSE(readHidrawDescriptor("/dev/hidraw0", sys.path()));
}

TEST(HidapiNode, ListsOneInterfacePerCollectionOnTheSamePath) {
  const auto interfaces =
      interfacesOfNode("/dev/hidraw3", 0x30FA, 0x1330, std::span<const uint8_t>(kMouseDescriptor), 0x0001, 0x0002);
  ASSERT_EQ(interfaces.size(), 3u);
  EXPECT_EQ(interfaces[2].path, "/dev/hidraw3");
  EXPECT_EQ(interfaces[2].vendorId, 0x30FA);
  EXPECT_EQ(interfaces[2].usagePage, 0xFF01);
  EXPECT_EQ(interfaces[2].featureReportLength, 8);
  EXPECT_EQ(interfaces[1].inputReportLength, 8);
}

TEST(HidapiNode, WithoutAReadableDescriptorListsNoReportLengths) {
  const Bytes broken = {0xA1, 0x01};
  for (const auto& descriptor : {std::optional<std::span<const uint8_t>>{},
                                 std::optional<std::span<const uint8_t>>{std::span<const uint8_t>(broken)}}) {
    const auto interfaces = interfacesOfNode("/dev/hidraw1", 0x18F8, 0x13C0, descriptor, 0xFF01, 1);
    ASSERT_EQ(interfaces.size(), 1u);
    EXPECT_EQ(interfaces[0].usagePage, 0xFF01);
    EXPECT_EQ(interfaces[0].featureReportLength, 0);
  }
}

}  // namespace
}  // namespace tarvosk

#include <random>

namespace tarvosk {
namespace {

TEST(ReportDescriptor, EveryCutOfARealDescriptorIsRefusedOrParsedWithoutReadingPastIt) {
  for (std::size_t n = 0; n < kMouseDescriptor.size(); ++n) {
    const std::vector<uint8_t> cut(kMouseDescriptor.begin(), kMouseDescriptor.begin() + static_cast<std::ptrdiff_t>(n));
    const auto collections = parseReportDescriptor(cut);
    // Only the cuts at the end of a top-level collection parse, and they hold the collections before.
    if (collections) {
      EXPECT_LE(collections->size(), 2u) << n;
    }
  }
}

TEST(ReportDescriptor, RandomBytesNeverCrashTheParser) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 64);
  int parsed = 0;
  for (int i = 0; i < 5000; ++i) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(length(random)));
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(byte(random));
    if (const auto collections = parseReportDescriptor(bytes)) {
      ++parsed;
      // Each collection takes at least its opening and closing item.
      EXPECT_LE(collections->size() * 2, bytes.size());
    }
  }
  EXPECT_GT(parsed, 0);  // the empty descriptor at least
}

}  // namespace
}  // namespace tarvosk
