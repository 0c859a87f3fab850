#include "platform/hid/linux/HidrawHandle.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kUntouched = 0xEE;

// The node is one end of a datagram socket pair: like hidraw it keeps report boundaries,
// and the test plays the device at the other end.
class HidrawHandleTest : public ::testing::Test {
protected:
    ~HidrawHandleTest() override
    {
        if (device >= 0)
            ::close(device);
    }

    std::unique_ptr<HidrawHandle> OpenHandle(HidrawInputRouting routing)
    {
        int ends[2] = {-1, -1};
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
        device = ends[1];
        std::string error;
        auto handle = HidrawHandle::Create(ends[0], "/dev/hidraw3", std::move(routing), error);
        EXPECT_NE(handle, nullptr) << error;
        return handle;
    }

    void Send(const Bytes& report) const
    {
        ASSERT_EQ(::send(device, report.data(), report.size(), 0), static_cast<ssize_t>(report.size()));
    }

    void DisconnectDevice()
    {
        ::close(device);
        device = -1;
    }

    int device = -1;
};

const HidrawInputRouting kStatusCollection{true, {7}};

struct RoutingCase {
    std::string name;
    HidrawInputRouting routing;
    std::vector<Bytes> sent;
    std::size_t bufferLength;
    Bytes expected;  // the buffer after one ReadInput
};

void PrintTo(const RoutingCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

const RoutingCase kRoutingCases[] = {
    {"ReportsOfOtherCollectionsAreSkipped", kStatusCollection, {{3, 0xAA}, {1, 0, 0}, {7, 1, 2, 3}}, 4, {7, 1, 2, 3}},
    {"AnyOfTheCollectionsIdsIsKept", {true, {0x0A, 7}}, {{9, 1}, {0x0A, 0x55}}, 2, {0x0A, 0x55}},
    {"LongerReportIsCutToTheBuffer", kStatusCollection, {{7, 1, 2, 3, 4, 5}}, 3, {7, 1, 2}},
    {"ShorterReportLeavesTheRestAsItWas", kStatusCollection, {{7, 1}}, 4, {7, 1, kUntouched, kUntouched}},
    {"WithoutReportIdsByteZeroIsAdded", {false, {}}, {{0x11, 0x22, 0x33}}, 4, {0, 0x11, 0x22, 0x33}},
    {"WithoutReportIdsTheCutCountsByteZero", {false, {}}, {{0x11, 0x22, 0x33}}, 2, {0, 0x11}},
    {"WithoutReportIdsShortReportLeavesTheRest", {false, {}}, {{0x11}}, 3, {0, 0x11, kUntouched}},
};

class HidrawInputRoutingTest : public HidrawHandleTest, public ::testing::WithParamInterface<RoutingCase> {};

TEST_P(HidrawInputRoutingTest, ReadInputDeliversTheCollectionsNextReport)
{
    const RoutingCase& testCase = GetParam();
    auto handle = OpenHandle(testCase.routing);
    for (const Bytes& report : testCase.sent)
        Send(report);

    Bytes buffer(testCase.bufferLength, kUntouched);
    ASSERT_TRUE(handle->ReadInput(buffer)) << handle->LastError();
    EXPECT_EQ(buffer, testCase.expected);
}

INSTANTIATE_TEST_SUITE_P(Hidraw, HidrawInputRoutingTest, ::testing::ValuesIn(kRoutingCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

TEST_F(HidrawHandleTest, ReportsKeepTheirOrderAcrossSkippedOnes)
{
    auto handle = OpenHandle(kStatusCollection);
    Send({7, 1});
    Send({9, 0});
    Send({7, 2});

    Bytes first(2);
    Bytes second(2);
    ASSERT_TRUE(handle->ReadInput(first));
    ASSERT_TRUE(handle->ReadInput(second));
    EXPECT_EQ(first, (Bytes{7, 1}));
    EXPECT_EQ(second, (Bytes{7, 2}));
}

TEST_F(HidrawHandleTest, CloseWakesABlockedReadAndTheReadFails)
{
    auto handle = OpenHandle(kStatusCollection);
    bool received = true;
    Bytes buffer(32);
    std::thread reader([&] { received = handle->ReadInput(buffer); });

    handle->Close();
    reader.join();

    EXPECT_FALSE(received);
    EXPECT_EQ(handle->LastError(), "/dev/hidraw3 is closed");
}

TEST_F(HidrawHandleTest, AfterCloseAQueuedReportIsNotDelivered)
{
    auto handle = OpenHandle(kStatusCollection);
    Send({7, 1});
    handle->Close();
    handle->Close();  // a second close is harmless

    Bytes buffer(2, kUntouched);
    EXPECT_FALSE(handle->ReadInput(buffer));
    EXPECT_EQ(buffer, (Bytes{kUntouched, kUntouched}));
}

TEST_F(HidrawHandleTest, RemovedDeviceWakesABlockedReadAndTheReadFails)
{
    auto handle = OpenHandle(kStatusCollection);
    bool received = true;
    Bytes buffer(32);
    std::thread reader([&] { received = handle->ReadInput(buffer); });

    DisconnectDevice();
    reader.join();

    EXPECT_FALSE(received);
    EXPECT_EQ(handle->LastError(), "/dev/hidraw3 is gone");
}

TEST_F(HidrawHandleTest, FailedFeatureTransferNamesNodeCallAndReason)
{
    auto handle = OpenHandle(kStatusCollection);
    const Bytes report = {9, 1, 2};
    Bytes reply = {9, 0, 0};

    // A socket knows no hidraw requests, so the ioctls fail the way a wrong node would.
    EXPECT_FALSE(handle->SetFeature(report));
    EXPECT_EQ(handle->LastError(), "cannot write a feature report to /dev/hidraw3: "
                                   "Inappropriate ioctl for device (HIDIOCSFEATURE, errno 25)");
    EXPECT_FALSE(handle->GetFeature(reply));
    EXPECT_EQ(handle->LastError(), "cannot read a feature report from /dev/hidraw3: "
                                   "Inappropriate ioctl for device (HIDIOCGFEATURE, errno 25)");
}

}  // namespace
