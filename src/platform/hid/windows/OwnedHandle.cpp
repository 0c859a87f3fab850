#include "platform/hid/windows/OwnedHandle.h"

#include <utility>

OwnedHandle::OwnedHandle(HANDLE handle)
    : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle)
{
}

OwnedHandle::~OwnedHandle()
{
    Reset();
}

OwnedHandle::OwnedHandle(OwnedHandle&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr))
{
}

OwnedHandle& OwnedHandle::operator=(OwnedHandle&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

void OwnedHandle::Reset()
{
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
        m_handle = nullptr;
    }
}
