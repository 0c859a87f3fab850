#include "GallerySimulatedMouse.h"

#include "DeviceThreadFirmwareUpdater.h"
#include "QtUiPoster.h"

#include "device/DeviceIoThread.h"
#include "device/FirmwareCheckValue.h"
#include "device/VirtualClock.h"
#include "sim/SimulatedMouse.h"

#include <random>

// Declaration order is destruction order in reverse: the updater and the device thread
// go before the mouse and the clock they use.
struct GallerySimulatedMouse::Parts {
    VirtualClock clock;
    SimulatedMouse mouse{clock};
    std::shared_ptr<HidHandle> wired;
    QtUiPoster poster;
    DeviceIoThread deviceThread;
    std::unique_ptr<DeviceThreadFirmwareUpdater> updater;
};

namespace {
constexpr std::uint16_t kUpdatableWiredVersion = 0x0201;
}  // namespace

GallerySimulatedMouse::GallerySimulatedMouse(QObject* parent) : QObject(parent), m_parts(std::make_unique<Parts>())
{
    Parts& parts = *m_parts;
    parts.mouse.Plug(LinkKind::Wired);
    parts.wired = parts.mouse.OpenCommandInterface(LinkKind::Wired);
    parts.mouse.SetPlugListener([this](LinkKind kind, bool plugged) {
        if (kind == LinkKind::Wired && plugged)
            m_parts->poster.Post([this] { m_parts->wired = m_parts->mouse.OpenCommandInterface(LinkKind::Wired); });
    });
    parts.updater = std::make_unique<DeviceThreadFirmwareUpdater>(
        parts.deviceThread, parts.poster, parts.clock,
        DeviceThreadFirmwareUpdater::Link{[this] { return m_parts->wired; }, [] { return kUpdatableWiredVersion; },
                                          [] {}});
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
