#include "platform/hid/linux/LinuxHidBackend.h"

#include "platform/hid/HidReportDescriptor.h"
#include "platform/hid/linux/ErrnoMessage.h"
#include "platform/hid/linux/HidrawHandle.h"
#include "platform/hid/linux/HidrawInterfacePath.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <limits>
#include <utility>

namespace {

// The number at the end of a node's name (3 for /dev/hidraw3); nodes without one go last.
unsigned NodeNumber(const std::string& devnode)
{
    std::size_t start = devnode.size();
    while (start > 0 && devnode[start - 1] >= '0' && devnode[start - 1] <= '9')
        --start;
    unsigned number = std::numeric_limits<unsigned>::max();
    std::from_chars(devnode.data() + start, devnode.data() + devnode.size(), number);
    return number;
}

HidOpenError OpenErrorFromErrno(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return HidOpenError::AccessDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return HidOpenError::NotFound;
    default:
        return HidOpenError::Failed;
    }
}

HidOpenResult OpenFailure(HidOpenError error, std::string message)
{
    return {nullptr, error, std::move(message)};
}

}  // namespace

LinuxHidBackend::LinuxHidBackend(std::unique_ptr<UdevSource> udev) : m_udev(std::move(udev)) {}

std::vector<HidInterfaceInfo> LinuxHidBackend::ListInterfaces()
{
    std::vector<HidrawNode> nodes;
    {
        const std::lock_guard lock(m_udevMutex);
        nodes = m_udev->EnumerateHidrawNodes();
    }
    std::sort(nodes.begin(), nodes.end(), [](const HidrawNode& left, const HidrawNode& right) {
        const unsigned leftNumber = NodeNumber(left.devnode);
        const unsigned rightNumber = NodeNumber(right.devnode);
        return leftNumber != rightNumber ? leftNumber < rightNumber : left.devnode < right.devnode;
    });

    std::vector<HidInterfaceInfo> interfaces;
    for (const HidrawNode& node : nodes) {
        HidInterfaceInfo info;
        info.vendorId = node.vendorId;
        info.productId = node.productId;
        info.versionNumber = node.versionNumber;
        HidrawInterfacePath path{node.devnode, node.vendorId, node.productId, 1};
        const HidReportDescriptor descriptor = HidReportDescriptor::Parse(node.reportDescriptor);
        if (!descriptor.IsWellFormed() || descriptor.Collections().empty()) {
            info.path = path.Format();
            interfaces.push_back(info);
            continue;
        }
        for (const HidCollectionCaps& collection : descriptor.Collections()) {
            info.path = path.Format();
            info.inputReportLength = collection.inputReportByteLength;
            info.featureReportLength = collection.featureReportByteLength;
            interfaces.push_back(info);
            ++path.collection;
        }
    }
    return interfaces;
}

HidOpenResult LinuxHidBackend::Open(const std::string& path)
{
    const std::optional<HidrawInterfacePath> parsed = HidrawInterfacePath::Parse(path);
    if (!parsed)
        return OpenFailure(HidOpenError::Failed, "not a hidraw interface: " + path);
    const std::string& devnode = parsed->devnode;

    // Open first, then ask udev what the node is: the answer then describes the node this
    // descriptor holds, not one that was unplugged since the list was made.
    const int nodeDescriptor = ::open(devnode.c_str(), O_RDWR | O_CLOEXEC);
    if (nodeDescriptor < 0) {
        const int errorNumber = errno;
        return OpenFailure(OpenErrorFromErrno(errorNumber), ErrnoMessage("open " + devnode, "open", errorNumber));
    }
    std::optional<HidrawNode> node;
    {
        const std::lock_guard lock(m_udevMutex);
        node = m_udev->FindHidrawNode(devnode);
    }
    const auto refuse = [nodeDescriptor](HidOpenError error, std::string message) {
        ::close(nodeDescriptor);
        return OpenFailure(error, std::move(message));
    };
    if (!node)
        return refuse(HidOpenError::NotFound, "cannot open " + devnode + ": udev does not know the node");
    if (node->vendorId != parsed->vendorId || node->productId != parsed->productId)
        return refuse(HidOpenError::NotFound, "cannot open " + path + ": " + devnode + " is now another device");
    if (node->reportDescriptor.empty())
        return refuse(HidOpenError::Failed, "cannot open " + path + ": the report descriptor cannot be read");
    const HidReportDescriptor descriptor = HidReportDescriptor::Parse(node->reportDescriptor);
    if (!descriptor.IsWellFormed()) {
        return refuse(HidOpenError::Failed, "cannot open " + path + ": the report descriptor is malformed ("
                                                + std::string(HidDescriptorFaultText(descriptor.Fault())) + ")");
    }
    if (parsed->collection > descriptor.Collections().size())
        return refuse(HidOpenError::NotFound, "cannot open " + path + ": " + devnode + " has no such collection");

    const HidCollectionCaps& collection = descriptor.Collections()[parsed->collection - 1];
    std::string error;
    std::unique_ptr<HidrawHandle> handle = HidrawHandle::Create(
        nodeDescriptor, devnode, {descriptor.UsesReportIds(), collection.inputReportIds}, error);
    if (!handle)
        return OpenFailure(HidOpenError::Failed, std::move(error));
    return {std::move(handle), HidOpenError::None, {}};
}

void LinuxHidBackend::SetChangeListener(ChangeListener listener)
{
    m_listener = std::move(listener);
}

int LinuxHidBackend::ChangeDescriptor() const
{
    return m_udev->MonitorDescriptor();
}

void LinuxHidBackend::DispatchChanges()
{
    std::vector<UdevChange> changes;
    {
        const std::lock_guard lock(m_udevMutex);
        changes = m_udev->ReceiveChanges();
    }
    // Only arrival and removal change the list; "change", "bind" and the like leave it as it was.
    for (const UdevChange& change : changes) {
        if (!m_listener)
            continue;
        if (change.action == "add")
            m_listener(HidDeviceChange::Arrival);
        else if (change.action == "remove")
            m_listener(HidDeviceChange::Removal);
    }
}
