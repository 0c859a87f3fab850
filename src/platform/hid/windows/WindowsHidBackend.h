#pragma once

#include "device/HidBackend.h"

#include <memory>

class DeviceChangeWindow;

// The HID interfaces of Windows through SetupAPI and the HID library. Arrival and removal
// come as window messages to the thread that made the backend, so make it (and destroy
// it) on the UI thread; ChangeDescriptor stays -1, as the UI thread's message loop
// delivers them.
class WindowsHidBackend final : public HidBackend {
public:
    WindowsHidBackend();
    ~WindowsHidBackend() override;
    WindowsHidBackend(const WindowsHidBackend&) = delete;
    WindowsHidBackend& operator=(const WindowsHidBackend&) = delete;

    [[nodiscard]] std::vector<HidInterfaceInfo> ListInterfaces() override;
    [[nodiscard]] std::vector<HidInterfaceInfo> ListCandidates(const HidListLimits& limits) override;
    [[nodiscard]] HidOpenResult Open(const std::string& path) override;
    void SetChangeListener(ChangeListener listener) override;

private:
    std::unique_ptr<DeviceChangeWindow> m_changeWindow;
};
