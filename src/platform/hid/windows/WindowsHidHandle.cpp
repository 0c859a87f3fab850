#include "platform/hid/windows/WindowsHidHandle.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>
#include <vector>

namespace {

// HID reports are at most a few kilobytes; the calls take their length as a ULONG.
[[nodiscard]] bool FitsTransfer(std::size_t length)
{
    return length > 0 && length <= ULONG_MAX;
}

}  // namespace

WindowsHidHandle::WindowsHidHandle(OwnedHandle device, OwnedHandle readEvent, OwnedHandle closedEvent)
    : m_device(std::move(device)), m_readEvent(std::move(readEvent)), m_closedEvent(std::move(closedEvent))
{
}

WindowsHidHandle::~WindowsHidHandle()
{
    Close();
}

bool WindowsHidHandle::SetFeature(std::span<const std::uint8_t> report)
{
    if (!FitsTransfer(report.size()) || !EnterCall()) {
        return false;
    }
    // HidD_SetFeature takes a writable buffer although it only reads it.
    std::vector<std::uint8_t> copy(report.begin(), report.end());
    const bool succeeded = HidD_SetFeature(m_device.Get(), copy.data(), static_cast<ULONG>(copy.size())) != FALSE;
    LeaveCall();
    return succeeded;
}

bool WindowsHidHandle::GetFeature(std::span<std::uint8_t> buffer)
{
    if (!FitsTransfer(buffer.size()) || !EnterCall()) {
        return false;
    }
    const bool succeeded = HidD_GetFeature(m_device.Get(), buffer.data(), static_cast<ULONG>(buffer.size())) != FALSE;
    LeaveCall();
    return succeeded;
}

bool WindowsHidHandle::ReadInput(std::span<std::uint8_t> buffer)
{
    if (!FitsTransfer(buffer.size()) || !EnterCall()) {
        return false;
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = m_readEvent.Get();
    const bool started = ReadFile(m_device.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                                  &overlapped) != FALSE
        || GetLastError() == ERROR_IO_PENDING;
    bool succeeded = false;
    if (started) {
        // A read that finished at once has set its event already, so one wait serves both.
        const std::array<HANDLE, 2> events{m_readEvent.Get(), m_closedEvent.Get()};
        const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE, INFINITE);
        if (woken != WAIT_OBJECT_0) {
            CancelIoEx(m_device.Get(), &overlapped);
        }
        // Waits for the read to end even when it was cancelled: until then the system may
        // still write into the buffer and the OVERLAPPED.
        DWORD transferred = 0;
        succeeded = GetOverlappedResult(m_device.Get(), &overlapped, &transferred, TRUE) != FALSE;
        if (succeeded && transferred < buffer.size()) {
            std::fill(buffer.begin() + transferred, buffer.end(), std::uint8_t{0});
        }
    }
    {
        // A report that arrived while the handle was being closed is not delivered: after
        // Close every read fails.
        const std::lock_guard lock(m_mutex);
        succeeded = succeeded && !m_closed;
    }
    LeaveCall();
    return succeeded;
}

void WindowsHidHandle::Close()
{
    const std::lock_guard lock(m_mutex);
    if (m_closed) {
        return;
    }
    m_closed = true;
    SetEvent(m_closedEvent.Get());
    if (m_callsInFlight == 0) {
        m_device.Reset();
    } else {
        // Wakes a feature transfer stuck on a device that stopped answering; the read is
        // woken by the event as well, and cancels itself should it get there first.
        CancelIoEx(m_device.Get(), nullptr);
    }
}

bool WindowsHidHandle::EnterCall()
{
    const std::lock_guard lock(m_mutex);
    if (m_closed) {
        return false;
    }
    ++m_callsInFlight;
    return true;
}

void WindowsHidHandle::LeaveCall()
{
    const std::lock_guard lock(m_mutex);
    --m_callsInFlight;
    if (m_callsInFlight == 0 && m_closed) {
        m_device.Reset();
    }
}
