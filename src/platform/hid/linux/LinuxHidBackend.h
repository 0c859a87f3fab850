#pragma once

#include "device/HidBackend.h"
#include "platform/hid/linux/UdevSource.h"

#include <memory>
#include <mutex>

// HID interfaces through hidraw: one interface per top-level collection of each node's
// report descriptor, nodes in the order of their numbers. A node whose descriptor is
// missing or malformed keeps one place (collection 1) with no report lengths, and Open
// refuses it. Hot-plug events come from udev; the event loop waits on ChangeDescriptor.
class LinuxHidBackend final : public HidBackend {
public:
    explicit LinuxHidBackend(std::unique_ptr<UdevSource> udev);

    [[nodiscard]] std::vector<HidInterfaceInfo> ListInterfaces() override;
    [[nodiscard]] HidOpenResult Open(const std::string& path) override;
    void SetChangeListener(ChangeListener listener) override;
    [[nodiscard]] int ChangeDescriptor() const override;
    void DispatchChanges() override;

private:
    std::mutex m_udevMutex;  // udev objects are not for two threads at once, and Open may run anywhere
    std::unique_ptr<UdevSource> m_udev;
    ChangeListener m_listener;
};
