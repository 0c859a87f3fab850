// Lists the HID interfaces as the Windows backend sees them: index, vendor and product id,
// version, input and feature report lengths, path. A first look on a machine where the
// program does not find the mouse.
//
//   corvane-hidprobe [--open] [--watch]
//
// --open  also opens every interface for reading and writing, as the program would, and
//         says why when that fails (the system's keyboards and mice always refuse).
// --watch stays, and lists again on every arrival and removal until Ctrl+C.

#include "platform/hid/SystemHidBackend.h"
#include "platform/hid/windows/WindowsMessageLoop.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

namespace {

enum class OpenEach : bool { No, Yes };

const char* OpenErrorName(HidOpenError error)
{
    switch (error) {
    case HidOpenError::None:
        return "opened";
    case HidOpenError::NotFound:
        return "not found";
    case HidOpenError::AccessDenied:
        return "access denied";
    case HidOpenError::Failed:
        break;
    }
    return "failed";
}

void PrintInterfaces(HidBackend& backend, OpenEach openEach)
{
    const std::vector<HidInterfaceInfo> interfaces = backend.ListInterfaces();
    std::printf("%zu HID interfaces\n", interfaces.size());
    std::printf("%5s  %-9s  %-4s  %5s  %7s  %s\n", "index", "vid:pid", "ver", "input", "feature", "path");
    for (std::size_t index = 0; index < interfaces.size(); ++index) {
        const HidInterfaceInfo& info = interfaces[index];
        std::printf("%5zu  %04x:%04x  %04x  %5u  %7u  %s\n", index, static_cast<unsigned>(info.vendorId),
                    static_cast<unsigned>(info.productId), static_cast<unsigned>(info.versionNumber),
                    static_cast<unsigned>(info.inputReportLength), static_cast<unsigned>(info.featureReportLength),
                    info.path.empty() ? "(details unreadable)" : info.path.c_str());
        if (openEach == OpenEach::Yes && !info.path.empty()) {
            const HidOpenResult result = backend.Open(info.path);
            std::printf("       %s%s%s\n", OpenErrorName(result.error), result.message.empty() ? "" : ": ",
                        result.message.c_str());
        }
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    OpenEach openEach = OpenEach::No;
    bool watch = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--open") {
            openEach = OpenEach::Yes;
        } else if (argument == "--watch") {
            watch = true;
        } else {
            std::cerr << "usage: corvane-hidprobe [--open] [--watch]\n";
            return 2;
        }
    }

    const std::unique_ptr<HidBackend> backend = CreateSystemHidBackend();
    PrintInterfaces(*backend, openEach);
    if (!watch) {
        return 0;
    }
    backend->SetChangeListener([&backend, openEach](HidDeviceChange change) {
        std::printf("\n%s\n", change == HidDeviceChange::Arrival ? "arrival" : "removal");
        PrintInterfaces(*backend, openEach);
    });
    std::printf("\nwatching for arrival and removal; Ctrl+C ends\n");
    std::fflush(stdout);
    RunThreadMessageLoop();
    return 0;
}
