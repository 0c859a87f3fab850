#include "device/DeviceLinkFixture.h"

#include "device/DeviceDiscovery.h"
#include "platform/HidDescriptorSamples.h"
#include "platform/hid/linux/LinuxHidBackend.h"
#include "platform/linux/FakeUdevSource.h"

#include <fstream>

namespace {

// Discovery over the hidraw backend, with udev faked and the nodes as plain files: the
// collection split must give discovery the mouse's status and command interfaces, and
// udev's add and remove must reach it as arrival and removal. The files answer no
// feature request, so the mouse never confirms itself; the test is about finding it.
class DiscoveryOverHidrawTest : public DeviceLinkFixture {
protected:
    DiscoveryOverHidrawTest() : DeviceLinkFixture(StartConnected::No) {}

    std::string AddNode(const std::string& name, std::uint16_t vendorId, std::uint16_t productId,
                        std::vector<std::uint8_t> descriptor)
    {
        const std::string devnode = (folder.Path() / name).string();
        std::ofstream(devnode, std::ios::binary).put('\0');
        udev->nodes.push_back({devnode, vendorId, productId, 0x0102, std::move(descriptor)});
        return devnode;
    }

    std::shared_ptr<FakeUdevState> udev = std::make_shared<FakeUdevState>();
    LinuxHidBackend backend{std::make_unique<FakeUdevSource>(udev)};
    DeviceDiscovery discovery{backend, link, ui, events, nullptr, DeviceDiscovery::Listeners::None};
};

}  // namespace

TEST_F(DiscoveryOverHidrawTest, TheMousesCollectionsBecomeItsStatusAndCommandInterfacesAndFollowUdev)
{
    AddNode("hidraw0", 0x046D, 0xC31C, HidDescriptorSamples::kBootKeyboard);
    discovery.Startup(0);
    EXPECT_FALSE(link.Connection().anyPresent);

    // The mouse arrives on its cable: pointer, status, command and firmware collections
    // follow the keyboard's one interface.
    const std::string mouseNode = AddNode("hidraw3", 0x248A, 0x6674, HidDescriptorSamples::kCorvaneMouse);
    udev->pending.push_back({"add", mouseNode});
    backend.DispatchChanges();
    EXPECT_TRUE(link.Link(LinkKind::Wired).present);
    EXPECT_EQ(link.Link(LinkKind::Wired).statusIndex, 2);
    EXPECT_EQ(link.Link(LinkKind::Wired).commandIndex, 3);
    EXPECT_EQ(link.SelectCommandInterface(), LinkKind::Wired);
    EXPECT_FALSE(link.Connection().noDeviceShown);
    std::vector<std::string> roles;
    for (const DiscoveredInterface& found : discovery.Found())
        roles.push_back(std::to_string(found.index) + " " + found.info.path.substr(found.info.path.find('#')));
    EXPECT_EQ(roles, (std::vector<std::string>{"1 #vid_248a&pid_6674&col01", "2 #vid_248a&pid_6674&col02",
                                               "3 #vid_248a&pid_6674&col03", "4 #vid_248a&pid_6674&col04"}));

    // Unplugged: the last link is gone, so the program ends.
    udev->nodes.pop_back();
    udev->pending.push_back({"remove", mouseNode});
    backend.DispatchChanges();
    EXPECT_FALSE(link.Link(LinkKind::Wired).present);
    EXPECT_FALSE(link.SelectCommandInterface().has_value());
    EXPECT_TRUE(events.Saw("quit"));
}
