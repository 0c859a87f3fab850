#pragma once

#include "device/HidHandle.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One HID interface as the enumeration sees it: one top-level collection. Report lengths
// are those Windows reports for the collection: the largest report of that kind in the
// collection plus the report-id byte, 0 when the collection has none of that kind.
struct HidInterfaceInfo {
    std::string path;  // the OS's path of the interface; what Open takes
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t featureReportLength = 0;
};

enum class HidOpenError : std::uint8_t {
    None,
    NotFound,      // the interface is gone
    AccessDenied,  // the interface is there but this user may not open it
    Failed,        // any other failure
};

struct HidOpenResult {
    std::unique_ptr<HidHandle> handle;  // null when the open failed
    HidOpenError error = HidOpenError::None;
    std::string message;  // on failure: which interface, which call, the system's reason
};

// How much of the machine's list a caller needs: on Windows reading an interface's ids
// and report lengths means opening it, which costs milliseconds per device.
struct HidListLimits {
    std::size_t maxCount = SIZE_MAX;  // interfaces past this index are not listed
    // Interfaces whose path this turns down keep their place with only the path, ids and
    // lengths 0. Empty: every interface is described.
    std::function<bool(const std::string& path)> describe;
};

enum class HidDeviceChange : std::uint8_t {
    Arrival,
    Removal,
};

// The machine's HID interfaces, one backend per OS and one for the simulated mouse.
// Every call comes from the UI thread, except Open, which may come from any thread.
class HidBackend {
public:
    using ChangeListener = std::function<void(HidDeviceChange)>;

    virtual ~HidBackend() = default;

    // Every HID interface of the machine in the OS's order; the position in the list is
    // the interface's index. An interface whose attributes cannot be read keeps its place
    // with vendor and product 0.
    [[nodiscard]] virtual std::vector<HidInterfaceInfo> ListInterfaces() = 0;
    // The list within `limits`. Backends that learn the ids without opening anything
    // describe every interface they list.
    [[nodiscard]] virtual std::vector<HidInterfaceInfo> ListCandidates(const HidListLimits& limits)
    {
        std::vector<HidInterfaceInfo> interfaces = ListInterfaces();
        if (interfaces.size() > limits.maxCount)
            interfaces.resize(limits.maxCount);
        return interfaces;
    }
    // Opens one interface for feature reports and blocking input reads.
    [[nodiscard]] virtual HidOpenResult Open(const std::string& path) = 0;
    // Arrival and removal of HID interfaces, delivered on the UI thread. A backend whose
    // changes wait on a descriptor hands that descriptor to the event loop: when it is
    // readable the loop calls DispatchChanges, which calls the listener.
    virtual void SetChangeListener(ChangeListener listener) = 0;
    [[nodiscard]] virtual int ChangeDescriptor() const { return -1; }
    virtual void DispatchChanges() {}
};
