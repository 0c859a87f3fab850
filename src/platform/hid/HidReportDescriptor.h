#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// What Windows' HidP_GetCaps reports for one top-level collection: lengths are the
// largest report of that kind in the collection plus the report-id byte (counted even
// when the device numbers no reports), 0 when the collection has no report of that kind.
struct HidCollectionCaps {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t inputReportByteLength = 0;
    std::uint16_t outputReportByteLength = 0;
    std::uint16_t featureReportByteLength = 0;
    std::vector<std::uint8_t> inputReportIds;  // ascending; {0} for a device without report ids
};

enum class HidDescriptorFault : std::uint8_t {
    None,
    TruncatedItem,             // an item's data runs past the end
    UnbalancedEndCollection,   // End Collection with no open collection
    UnclosedCollection,        // the descriptor ends inside a collection
    PopWithoutPush,
    MainItemOutsideCollection, // a report field that belongs to no collection
    InvalidReportId,           // Report ID 0 or wider than a byte
    ReportTooLong,             // a report longer than a 16-bit length can say
    ReportIdInTwoCollections,  // two top-level collections claim one report id
};

// A raw HID report descriptor (the bytes of sysfs report_descriptor) split into its
// top-level collections, in descriptor order. Parsing never fails outright: a malformed
// descriptor keeps the collections closed before the fault and names the fault, and the
// caller decides whether to trust them.
class HidReportDescriptor {
public:
    [[nodiscard]] static HidReportDescriptor Parse(std::span<const std::uint8_t> bytes);

    [[nodiscard]] const std::vector<HidCollectionCaps>& Collections() const { return m_collections; }
    // Whether the device puts a report id in front of every report (any Report ID item).
    [[nodiscard]] bool UsesReportIds() const { return m_usesReportIds; }
    [[nodiscard]] HidDescriptorFault Fault() const { return m_fault; }
    [[nodiscard]] bool IsWellFormed() const { return m_fault == HidDescriptorFault::None; }

private:
    std::vector<HidCollectionCaps> m_collections;
    bool m_usesReportIds = false;
    HidDescriptorFault m_fault = HidDescriptorFault::None;
};

[[nodiscard]] std::string_view HidDescriptorFaultText(HidDescriptorFault fault);
