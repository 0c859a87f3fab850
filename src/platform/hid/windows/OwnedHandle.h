#pragma once

#include "platform/hid/windows/WindowsApi.h"

// A kernel handle closed when its owner goes. Both ways Windows says "no handle"
// (INVALID_HANDLE_VALUE from CreateFileW, null from CreateEventW) are kept as null.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle);
    ~OwnedHandle();
    OwnedHandle(OwnedHandle&& other) noexcept;
    OwnedHandle& operator=(OwnedHandle&& other) noexcept;
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    [[nodiscard]] HANDLE Get() const { return m_handle; }
    [[nodiscard]] bool IsValid() const { return m_handle != nullptr; }
    void Reset();

private:
    HANDLE m_handle = nullptr;
};
