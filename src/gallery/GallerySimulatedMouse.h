#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

class FirmwareUpdater;

// A simulated mouse on the wired link with a device thread and a firmware updater over
// it, on virtual time, for opening the firmware window without hardware. Made a child of
// the window it serves, so it goes after the window has let its update go.
class GallerySimulatedMouse : public QObject {
public:
    explicit GallerySimulatedMouse(QObject* parent = nullptr);
    ~GallerySimulatedMouse() override;

    [[nodiscard]] FirmwareUpdater& Updater();
    // A made-up program image whose header carries the check value of its body.
    [[nodiscard]] static std::vector<std::uint8_t> TestAppImage(std::size_t size);

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
