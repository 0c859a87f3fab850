#include "platform/hid/windows/DeviceChangeWindow.h"

#include <utility>

namespace {

constexpr const wchar_t* kWindowClassName = L"CorvaneHidDeviceChanges";

// The WM_DEVICECHANGE events that matter here; the others (configuration changes, queries
// to remove, removal pending) say nothing the interface list would show.
constexpr WPARAM kDeviceArrival = DBT_DEVICEARRIVAL;                // 0x8000
constexpr WPARAM kDeviceRemoveComplete = DBT_DEVICEREMOVECOMPLETE;  // 0x8004
constexpr DWORD kDeviceInterfaceNotice = DBT_DEVTYP_DEVICEINTERFACE;

}  // namespace

DeviceChangeWindow::DeviceChangeWindow()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &DeviceChangeWindow::WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClassName;
    // A second backend of the same process finds the class already there.
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return;
    }
    m_window = CreateWindowExW(0, kWindowClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (m_window == nullptr) {
        return;
    }
    // Set before registering, so every notice finds its owner.
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    GUID hidGuid{};
    HidD_GetHidGuid(&hidGuid);
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = kDeviceInterfaceNotice;
    filter.dbcc_classguid = hidGuid;
    m_notification = RegisterDeviceNotificationW(m_window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

DeviceChangeWindow::~DeviceChangeWindow()
{
    if (m_notification != nullptr) {
        UnregisterDeviceNotification(m_notification);
    }
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

void DeviceChangeWindow::SetListener(HidBackend::ChangeListener listener)
{
    m_listener = std::move(listener);
}

LRESULT CALLBACK DeviceChangeWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEVICECHANGE) {
        auto* owner = reinterpret_cast<DeviceChangeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (owner != nullptr) {
            owner->OnDeviceChange(wParam, lParam);
        }
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void DeviceChangeWindow::OnDeviceChange(WPARAM event, LPARAM data)
{
    if (event != kDeviceArrival && event != kDeviceRemoveComplete) {
        return;
    }
    // Only the notices asked for above; a window may also be told about volumes and ports.
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header == nullptr || header->dbch_devicetype != kDeviceInterfaceNotice || !m_listener) {
        return;
    }
    m_listener(event == kDeviceArrival ? HidDeviceChange::Arrival : HidDeviceChange::Removal);
}
