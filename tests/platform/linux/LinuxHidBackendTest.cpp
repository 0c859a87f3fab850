#include "platform/hid/linux/LinuxHidBackend.h"

#include "platform/HidDescriptorSamples.h"
#include "platform/linux/FakeUdevSource.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace Samples = HidDescriptorSamples;

constexpr std::uint16_t kVendor = 0x248A;
constexpr std::uint16_t kWiredProduct = 0x6674;

// The nodes are files in a temporary folder, so that Open opens something real; udev is
// the fake, which the test fills.
class LinuxHidBackendTest : public ::testing::Test {
protected:
    LinuxHidBackendTest()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-hidraw-XXXXXX").string();
        EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }

    ~LinuxHidBackendTest() override
    {
        std::error_code ignored;
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(folder, ignored);
    }

    // A node file with `content` as the input waiting on it, known to udev with `descriptor`.
    std::string AddNode(const std::string& name, std::uint16_t productId, Bytes descriptor, const Bytes& content = {})
    {
        const std::string devnode = (folder / name).string();
        std::ofstream(devnode, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                                       static_cast<std::streamsize>(content.size()));
        udev->nodes.push_back({devnode, kVendor, productId, 0x0102, std::move(descriptor)});
        return devnode;
    }

    // The interface path of our vendor's node, written out independently of the backend.
    static std::string Path(const std::string& devnode, std::uint16_t productId, unsigned collection)
    {
        char suffix[40];
        std::snprintf(suffix, sizeof suffix, "#vid_248a&pid_%04x&col%02u", productId, collection);
        return devnode + suffix;
    }

    std::filesystem::path folder;
    std::shared_ptr<FakeUdevState> udev = std::make_shared<FakeUdevState>();
    LinuxHidBackend backend{std::make_unique<FakeUdevSource>(udev)};
};

// One line per interface: what the device layer picks the mouse's interfaces by.
std::vector<std::string> Describe(const std::vector<HidInterfaceInfo>& interfaces, const std::string& folder)
{
    std::vector<std::string> lines;
    for (const HidInterfaceInfo& info : interfaces) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, " %04x:%04x v%04x in %u feature %u", info.vendorId, info.productId,
                      info.versionNumber, info.inputReportLength, info.featureReportLength);
        lines.push_back(info.path.substr(folder.size() + 1) + numbers);
    }
    return lines;
}

TEST_F(LinuxHidBackendTest, OneInterfacePerCollectionWithNodesInNumberOrder)
{
    AddNode("hidraw10", 0x6675, Samples::kBootKeyboard);
    AddNode("hidraw2", kWiredProduct, Samples::kCorvaneMouse);
    AddNode("hidraw3", 0x6673, {0xC0});
    AddNode("hidraw11", 0x6673, {});
    udev->nodes.back().vendorId = 0;  // attributes that could not be read
    udev->nodes.back().productId = 0;

    EXPECT_EQ(Describe(backend.ListInterfaces(), folder.string()), (std::vector<std::string>{
        "hidraw2#vid_248a&pid_6674&col01 248a:6674 v0102 in 7 feature 0",
        "hidraw2#vid_248a&pid_6674&col02 248a:6674 v0102 in 32 feature 0",
        "hidraw2#vid_248a&pid_6674&col03 248a:6674 v0102 in 16 feature 32",
        "hidraw2#vid_248a&pid_6674&col04 248a:6674 v0102 in 0 feature 136",
        "hidraw3#vid_248a&pid_6673&col01 248a:6673 v0102 in 0 feature 0",   // malformed: keeps its place
        "hidraw10#vid_248a&pid_6675&col01 248a:6675 v0102 in 9 feature 0",
        "hidraw11#vid_0000&pid_0000&col01 0000:0000 v0102 in 0 feature 0",  // no descriptor
    }));
}

struct OpenedReadCase {
    std::string name;
    Bytes descriptor;
    unsigned collection;
    Bytes waiting;  // what the node holds
    bool received;
    Bytes expected;
};

void PrintTo(const OpenedReadCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class LinuxHidBackendReadTest : public LinuxHidBackendTest, public ::testing::WithParamInterface<OpenedReadCase> {};

// The node file holds one report. The handle Open returns keeps it only when it belongs to
// the opened collection; otherwise it skips it and finds the end of the node.
const OpenedReadCase kOpenedReadCases[] = {
    {"StatusCollectionKeepsReportSeven", Samples::kCorvaneMouse, 2, {7, 0x11, 0x22}, true, {7, 0x11, 0x22}},
    {"CommandCollectionSkipsReportSeven", Samples::kCorvaneMouse, 3, {7, 0x11, 0x22}, false, {0, 0, 0}},
    {"CommandCollectionKeepsItsInputReport", Samples::kCorvaneMouse, 3, {0x0A, 0x33, 0x44}, true, {0x0A, 0x33, 0x44}},
    {"DeviceWithoutReportIdsGetsByteZero", Samples::kBootMouse, 1, {0x01, 0x05, 0xFB}, true, {0, 0x01, 0x05}},
};

TEST_P(LinuxHidBackendReadTest, OpenedHandleReadsTheCollectionsOwnReports)
{
    const OpenedReadCase& testCase = GetParam();
    const std::string devnode = AddNode("hidraw4", kWiredProduct, testCase.descriptor, testCase.waiting);

    const HidOpenResult opened = backend.Open(Path(devnode, kWiredProduct, testCase.collection));
    ASSERT_NE(opened.handle, nullptr) << opened.message;
    EXPECT_EQ(opened.error, HidOpenError::None);

    Bytes buffer(3);
    EXPECT_EQ(opened.handle->ReadInput(buffer), testCase.received);
    EXPECT_EQ(buffer, testCase.expected);
}

INSTANTIATE_TEST_SUITE_P(Hidraw, LinuxHidBackendReadTest, ::testing::ValuesIn(kOpenedReadCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

TEST_F(LinuxHidBackendTest, OpenFailuresSayWhyAndWhichKind)
{
    const std::string mouse = AddNode("hidraw2", kWiredProduct, Samples::kCorvaneMouse);
    const std::string malformed = AddNode("hidraw3", kWiredProduct, {0xA1, 0x01});
    const std::string withoutDescriptor = AddNode("hidraw4", kWiredProduct, {});
    const std::string unknownToUdev = (folder / "hidraw5").string();
    std::ofstream(unknownToUdev).put('\0');
    const std::string missing = (folder / "hidraw6").string();
    const std::string directory = (folder / "hidraw7").string();
    std::filesystem::create_directory(directory);

    struct Case {
        std::string path;
        HidOpenError error;
        std::string message;
    };
    const Case cases[] = {
        {mouse, HidOpenError::Failed, "not a hidraw interface: " + mouse},
        {Path(missing, kWiredProduct, 1), HidOpenError::NotFound,
         "cannot open " + missing + ": No such file or directory (open, errno 2)"},
        {Path(directory, kWiredProduct, 1), HidOpenError::Failed,
         "cannot open " + directory + ": Is a directory (open, errno 21)"},
        {Path(unknownToUdev, kWiredProduct, 1), HidOpenError::NotFound,
         "cannot open " + unknownToUdev + ": udev does not know the node"},
        {Path(mouse, 0x6673, 1), HidOpenError::NotFound,
         "cannot open " + Path(mouse, 0x6673, 1) + ": " + mouse + " is now another device"},
        {Path(mouse, kWiredProduct, 5), HidOpenError::NotFound,
         "cannot open " + Path(mouse, kWiredProduct, 5) + ": " + mouse + " has no such collection"},
        {Path(malformed, kWiredProduct, 1), HidOpenError::Failed,
         "cannot open " + Path(malformed, kWiredProduct, 1)
             + ": the report descriptor is malformed (a collection is not closed)"},
        {Path(withoutDescriptor, kWiredProduct, 1), HidOpenError::Failed,
         "cannot open " + Path(withoutDescriptor, kWiredProduct, 1) + ": the report descriptor cannot be read"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.path);
        const HidOpenResult opened = backend.Open(testCase.path);
        EXPECT_EQ(opened.handle, nullptr);
        EXPECT_EQ(opened.error, testCase.error);
        EXPECT_EQ(opened.message, testCase.message);
    }
}

TEST_F(LinuxHidBackendTest, NodeWithoutPermissionIsAccessDenied)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root opens any file; permissions cannot be denied";
    const std::string devnode = AddNode("hidraw2", kWiredProduct, Samples::kCorvaneMouse);
    ASSERT_EQ(::chmod(devnode.c_str(), 0), 0);

    const HidOpenResult opened = backend.Open(Path(devnode, kWiredProduct, 2));
    EXPECT_EQ(opened.error, HidOpenError::AccessDenied);
    EXPECT_EQ(opened.message, "cannot open " + devnode + ": Permission denied (open, errno 13)");
}

TEST_F(LinuxHidBackendTest, ArrivalAndRemovalAreReportedAndTheListFollows)
{
    std::vector<HidDeviceChange> changes;
    backend.SetChangeListener([&](HidDeviceChange change) { changes.push_back(change); });
    ASSERT_TRUE(backend.ListInterfaces().empty());

    const std::string devnode = AddNode("hidraw2", kWiredProduct, Samples::kCorvaneMouse);
    udev->pending.push_back({"add", devnode});
    backend.DispatchChanges();
    EXPECT_EQ(changes, (std::vector{HidDeviceChange::Arrival}));
    EXPECT_EQ(backend.ListInterfaces().size(), 4u);

    udev->nodes.clear();
    udev->pending.push_back({"remove", devnode});
    backend.DispatchChanges();
    EXPECT_EQ(changes, (std::vector{HidDeviceChange::Arrival, HidDeviceChange::Removal}));
    EXPECT_TRUE(backend.ListInterfaces().empty());
}

TEST_F(LinuxHidBackendTest, OnlyAddAndRemoveReachTheListener)
{
    std::vector<HidDeviceChange> changes;
    backend.SetChangeListener([&](HidDeviceChange change) { changes.push_back(change); });
    udev->pending = {{"change", "/dev/hidraw2"}, {"bind", "/dev/hidraw2"}, {"remove", "/dev/hidraw2"},
                     {"unbind", "/dev/hidraw2"}, {"add", "/dev/hidraw2"},  {"move", "/dev/hidraw2"}};

    backend.DispatchChanges();

    EXPECT_EQ(changes, (std::vector{HidDeviceChange::Removal, HidDeviceChange::Arrival}));
}

TEST_F(LinuxHidBackendTest, EventsBeforeAListenerAreDrainedNotKeptForLater)
{
    udev->pending = {{"add", "/dev/hidraw2"}};
    backend.DispatchChanges();

    std::vector<HidDeviceChange> changes;
    backend.SetChangeListener([&](HidDeviceChange change) { changes.push_back(change); });
    backend.DispatchChanges();

    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(udev->pending.empty());
}

}  // namespace
