#pragma once

#include "device/HidHandle.h"
#include "platform/hid/windows/OwnedHandle.h"

#include <mutex>

// One HID collection opened for overlapped I/O. Input reports are read with an
// OVERLAPPED read that waits on its own event and on a "closed" event at once, because a
// blocked synchronous ReadFile could only be woken by cancelling it from outside or by
// closing the handle under it, which would let the read race a reuse of the handle value.
// Feature reports go through HidD_SetFeature and HidD_GetFeature, which wait for their own
// transfer on an overlapped handle too.
//
// Close marks the handle closed, wakes the read and cancels whatever transfer is under
// way; the device handle itself is closed by the last call to leave, so that no call ever
// uses a closed handle. Input reports are read by one thread at a time.
class WindowsHidHandle final : public HidHandle {
public:
    // Takes a handle opened with FILE_FLAG_OVERLAPPED and two manual-reset events.
    WindowsHidHandle(OwnedHandle device, OwnedHandle readEvent, OwnedHandle closedEvent);
    ~WindowsHidHandle() override;
    WindowsHidHandle(const WindowsHidHandle&) = delete;
    WindowsHidHandle& operator=(const WindowsHidHandle&) = delete;

    [[nodiscard]] bool SetFeature(std::span<const std::uint8_t> report) override;
    [[nodiscard]] bool GetFeature(std::span<std::uint8_t> buffer) override;
    [[nodiscard]] bool ReadInput(std::span<std::uint8_t> buffer) override;
    void Close() override;

private:
    // Counts a call in; false once the handle is closed.
    [[nodiscard]] bool EnterCall();
    void LeaveCall();

    OwnedHandle m_device;
    OwnedHandle m_readEvent;
    OwnedHandle m_closedEvent;
    std::mutex m_mutex;  // guards the two below and the closing of m_device
    bool m_closed = false;
    int m_callsInFlight = 0;
};
