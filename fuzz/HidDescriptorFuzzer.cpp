// Feeds arbitrary bytes to the HID report descriptor parser, which reads what any USB
// device on the machine declares. Whatever the bytes, parsing ends, reports lengths a
// 16-bit field can hold, lists each collection's input report ids in ascending order
// without repeats and, for a descriptor it calls well-formed, gives no report id to two
// collections; parsing the same bytes twice gives the same answer.
#include "platform/hid/HidReportDescriptor.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const HidReportDescriptor descriptor = HidReportDescriptor::Parse(bytes);
    std::set<std::uint8_t> claimed;
    for (const HidCollectionCaps& caps : descriptor.Collections()) {
        const auto& ids = caps.inputReportIds;
        if (std::adjacent_find(ids.begin(), ids.end(), std::greater_equal<>()) != ids.end()) {
            std::abort();
        }
        if (!descriptor.IsWellFormed() || !descriptor.UsesReportIds()) {
            continue;
        }
        for (const std::uint8_t id : ids) {
            if (!claimed.insert(id).second) {
                std::abort();
            }
        }
    }
    const HidReportDescriptor again = HidReportDescriptor::Parse(bytes);
    if (again.Fault() != descriptor.Fault() || again.Collections().size() != descriptor.Collections().size() ||
        again.UsesReportIds() != descriptor.UsesReportIds()) {
        std::abort();
    }
    for (std::size_t k = 0; k < again.Collections().size(); ++k) {
        const HidCollectionCaps& a = again.Collections()[k];
        const HidCollectionCaps& b = descriptor.Collections()[k];
        if (a.inputReportByteLength != b.inputReportByteLength || a.featureReportByteLength != b.featureReportByteLength ||
            a.outputReportByteLength != b.outputReportByteLength || a.inputReportIds != b.inputReportIds) {
            std::abort();
        }
    }
    (void)HidDescriptorFaultText(descriptor.Fault());
    return 0;
}
