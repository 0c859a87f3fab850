#pragma once

#include "device/HidBackend.h"
#include "platform/hid/windows/WindowsApi.h"

// A message-only window that asks Windows for arrival and removal of HID interfaces and
// passes them to a listener. Windows sends WM_DEVICECHANGE to the window's thread, whose
// message loop (Qt's, on the UI thread) delivers it, so the listener runs on the thread
// that made the window. Make and destroy it on that thread. Should the window or its
// registration fail, no change is reported and interfaces are seen when listed again.
class DeviceChangeWindow {
public:
    DeviceChangeWindow();
    ~DeviceChangeWindow();
    DeviceChangeWindow(const DeviceChangeWindow&) = delete;
    DeviceChangeWindow& operator=(const DeviceChangeWindow&) = delete;

    void SetListener(HidBackend::ChangeListener listener);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnDeviceChange(WPARAM event, LPARAM data);

    HWND m_window = nullptr;
    HDEVNOTIFY m_notification = nullptr;
    HidBackend::ChangeListener m_listener;
};
