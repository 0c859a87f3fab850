#include "platform/hid/windows/WindowsHidBackend.h"

#include "platform/hid/SystemHidBackend.h"
#include "platform/hid/windows/DeviceChangeWindow.h"
#include "platform/hid/windows/OwnedHandle.h"
#include "platform/hid/windows/WindowsApi.h"
#include "platform/hid/windows/WindowsHidHandle.h"
#include "platform/hid/windows/WindowsText.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

[[nodiscard]] HidOpenError OpenErrorFromSystemCode(DWORD code)
{
    switch (code) {
    case ERROR_ACCESS_DENIED:
        return HidOpenError::AccessDenied;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEVICE_NOT_CONNECTED:
        return HidOpenError::NotFound;
    default:
        return HidOpenError::Failed;
    }
}

[[nodiscard]] HidOpenResult OpenFailure(HidOpenError error, const std::string& path, std::string_view call, DWORD code)
{
    HidOpenResult result;
    result.error = error;
    result.message = path + ": " + DescribeSystemError(call, code);
    return result;
}

// The interface's path, or nothing when its details cannot be read. The first call only
// learns the size; the structure's cbSize is that of its fixed part, not of the buffer.
[[nodiscard]] std::optional<std::wstring> InterfacePath(HDEVINFO deviceInfo, SP_DEVICE_INTERFACE_DATA& interfaceData)
{
    DWORD requiredSize = 0;
    SetupDiGetDeviceInterfaceDetailW(deviceInfo, &interfaceData, nullptr, 0, &requiredSize, nullptr);
    if (requiredSize < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        return std::nullopt;
    }
    // DWORDs, so that the structure that starts the buffer is aligned.
    std::vector<DWORD> buffer((requiredSize + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(deviceInfo, &interfaceData, detail, requiredSize, nullptr, nullptr)) {
        return std::nullopt;
    }
    return std::wstring(detail->DevicePath);
}

// Vendor, product, version and report lengths. The interface is opened without read or
// write access: the system's own keyboards and mice refuse those but still answer these
// queries. What cannot be read stays 0.
void ReadAttributes(const std::wstring& path, HidInterfaceInfo& info)
{
    const OwnedHandle device(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         0, nullptr));
    if (!device.IsValid()) {
        return;
    }
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (HidD_GetAttributes(device.Get(), &attributes)) {
        info.vendorId = attributes.VendorID;
        info.productId = attributes.ProductID;
        info.versionNumber = attributes.VersionNumber;
    }
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (HidD_GetPreparsedData(device.Get(), &preparsed)) {
        HIDP_CAPS caps{};
        if (HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS) {
            info.inputReportLength = caps.InputReportByteLength;
            info.featureReportLength = caps.FeatureReportByteLength;
        }
        HidD_FreePreparsedData(preparsed);
    }
}

}  // namespace

WindowsHidBackend::WindowsHidBackend()
    : m_changeWindow(std::make_unique<DeviceChangeWindow>())
{
}

WindowsHidBackend::~WindowsHidBackend() = default;

std::vector<HidInterfaceInfo> WindowsHidBackend::ListInterfaces()
{
    return ListCandidates(HidListLimits{});
}

std::vector<HidInterfaceInfo> WindowsHidBackend::ListCandidates(const HidListLimits& limits)
{
    GUID hidGuid{};
    HidD_GetHidGuid(&hidGuid);
    const HDEVINFO deviceInfo = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (deviceInfo == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::vector<HidInterfaceInfo> interfaces;
    for (DWORD index = 0; index < limits.maxCount; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        // The end of the list, or a list that cannot be walked further: either way no
        // later index could be reached.
        if (!SetupDiEnumDeviceInterfaces(deviceInfo, nullptr, &hidGuid, index, &interfaceData)) {
            break;
        }
        HidInterfaceInfo info;
        if (const std::optional<std::wstring> path = InterfacePath(deviceInfo, interfaceData)) {
            info.path = WideToUtf8(*path);
            // Opening every HID device of the machine on each arrival would stall the
            // UI thread; only the interfaces the caller may want are opened.
            if (!limits.describe || limits.describe(info.path)) {
                ReadAttributes(*path, info);
            }
        }
        interfaces.push_back(std::move(info));
    }
    SetupDiDestroyDeviceInfoList(deviceInfo);
    return interfaces;
}

HidOpenResult WindowsHidBackend::Open(const std::string& path)
{
    const std::optional<std::wstring> widePath = Utf8ToWide(path);
    if (!widePath || widePath->empty()) {
        HidOpenResult result;
        result.error = HidOpenError::NotFound;
        result.message = path + ": not a path of an interface";
        return result;
    }
    OwnedHandle device(CreateFileW(widePath->c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (!device.IsValid()) {
        const DWORD code = GetLastError();
        return OpenFailure(OpenErrorFromSystemCode(code), path, "CreateFileW", code);
    }
    // Manual reset: the read event is reset by each ReadFile, the closed event stays set.
    OwnedHandle readEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OwnedHandle closedEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!readEvent.IsValid() || !closedEvent.IsValid()) {
        return OpenFailure(HidOpenError::Failed, path, "CreateEventW", GetLastError());
    }
    HidOpenResult result;
    result.handle = std::make_unique<WindowsHidHandle>(std::move(device), std::move(readEvent), std::move(closedEvent));
    return result;
}

void WindowsHidBackend::SetChangeListener(ChangeListener listener)
{
    m_changeWindow->SetListener(std::move(listener));
}

std::unique_ptr<HidBackend> CreateSystemHidBackend()
{
    return std::make_unique<WindowsHidBackend>();
}
