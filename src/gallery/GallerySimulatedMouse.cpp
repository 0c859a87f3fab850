#include "GallerySimulatedMouse.h"

#include "DeviceLinkFirmwareUpdater.h"
#include "QtUiPoster.h"

#include "device/DeviceIoThread.h"
#include "device/DeviceLink.h"
#include "device/DeviceLinkEvents.h"
#include "device/FirmwareCheckValue.h"
#include "device/StandaloneDeviceModel.h"
#include "device/VirtualClock.h"
#include "sim/SimulatedMouse.h"

#include <random>

// Declaration order is destruction order in reverse: the updater, the link and the
// device thread go before the mouse and the clock they use.
struct GallerySimulatedMouse::Parts {
    VirtualClock clock;
    SimulatedMouse mouse{clock};
    QtUiPoster poster;
    DeviceIoThread deviceThread;
    StandaloneDeviceModel model;
    DeviceLinkEvents events;
    DeviceLink link{model.Model(), deviceThread, poster, clock, events};
    std::unique_ptr<DeviceLinkFirmwareUpdater> updater;
};

namespace {
constexpr std::uint16_t kUpdatableWiredVersion = 0x0201;
}  // namespace

GallerySimulatedMouse::GallerySimulatedMouse(QObject* parent) : QObject(parent), m_parts(std::make_unique<Parts>())
{
    Parts& parts = *m_parts;
    parts.mouse.Plug(LinkKind::Wired);
    parts.link.SetCommandInterface(LinkKind::Wired, parts.mouse.OpenCommandInterface(LinkKind::Wired));
    parts.link.Connection().wiredVersion = kUpdatableWiredVersion;
    // The mouse comes back after its restart; discovery would reopen its interface.
    parts.mouse.SetPlugListener([this](LinkKind kind, bool plugged) {
        if (kind == LinkKind::Wired && plugged)
            m_parts->poster.Post([this] {
                m_parts->link.SetCommandInterface(LinkKind::Wired, m_parts->mouse.OpenCommandInterface(LinkKind::Wired));
            });
    });
    parts.updater = std::make_unique<DeviceLinkFirmwareUpdater>(parts.link);
}

GallerySimulatedMouse::~GallerySimulatedMouse()
{
    m_parts->mouse.SetPlugListener({});
    m_parts->updater.reset();
}

FirmwareUpdater& GallerySimulatedMouse::Updater()
{
    return *m_parts->updater;
}

std::vector<std::uint8_t> GallerySimulatedMouse::TestAppImage(std::size_t size)
{
    std::mt19937 random(1);
    std::vector<std::uint8_t> image(std::max<std::size_t>(size, 16));
    for (std::uint8_t& byte : image)
        byte = static_cast<std::uint8_t>(random());
    const std::uint32_t check = FirmwareCheckValue(image);
    for (std::size_t i = 0; i < 4; ++i)
        image[i] = static_cast<std::uint8_t>(check >> (8 * i));
    return image;
}
