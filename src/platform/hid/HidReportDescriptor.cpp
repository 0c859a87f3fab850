#include "platform/hid/HidReportDescriptor.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <optional>

namespace {

// Item prefix: bits 0-1 data size (3 means 4 bytes), bits 2-3 type, bits 4-7 tag.
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr unsigned kTypeMain = 0;
constexpr unsigned kTypeGlobal = 1;
constexpr unsigned kTypeLocal = 2;

constexpr unsigned kMainInput = 0x8;
constexpr unsigned kMainOutput = 0x9;
constexpr unsigned kMainCollection = 0xA;
constexpr unsigned kMainFeature = 0xB;
constexpr unsigned kMainEndCollection = 0xC;

constexpr unsigned kGlobalUsagePage = 0x0;
constexpr unsigned kGlobalReportSize = 0x7;
constexpr unsigned kGlobalReportId = 0x8;
constexpr unsigned kGlobalReportCount = 0x9;
constexpr unsigned kGlobalPush = 0xA;
constexpr unsigned kGlobalPop = 0xB;

constexpr unsigned kLocalUsage = 0x0;

// A report must fit a 16-bit byte length once its report-id byte is added.
constexpr std::uint64_t kMaxReportBits = (0xFFFFull - 1) * 8;

enum ReportKind : std::size_t { kInput, kOutput, kFeature, kReportKindCount };

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// The bits of each report id of one kind, within the top-level collection being read.
using ReportBits = std::map<std::uint8_t, std::uint64_t>;

class Parser {
public:
    explicit Parser(std::span<const std::uint8_t> bytes) : m_bytes(bytes) { m_owner.fill(kNoOwner); }

    void Run(std::vector<HidCollectionCaps>& collections, bool& usesReportIds, HidDescriptorFault& fault)
    {
        m_collections = &collections;
        while (m_position < m_bytes.size() && m_fault == HidDescriptorFault::None)
            ReadItem();
        if (m_fault == HidDescriptorFault::None && m_depth != 0)
            m_fault = HidDescriptorFault::UnclosedCollection;
        usesReportIds = m_usesReportIds;
        fault = m_fault;
    }

private:
    static constexpr int kNoOwner = -1;

    void ReadItem()
    {
        const std::uint8_t prefix = m_bytes[m_position];
        if (prefix == kLongItemPrefix) {
            // Long items carry no report fields; the size byte says how far to skip.
            if (m_bytes.size() - m_position < 3 || m_bytes.size() - m_position - 3 < m_bytes[m_position + 1]) {
                m_fault = HidDescriptorFault::TruncatedItem;
                return;
            }
            m_position += 3 + m_bytes[m_position + 1];
            return;
        }
        const std::size_t size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        if (m_bytes.size() - m_position - 1 < size) {
            m_fault = HidDescriptorFault::TruncatedItem;
            return;
        }
        std::uint32_t data = 0;
        for (std::size_t i = 0; i < size; ++i)
            data |= static_cast<std::uint32_t>(m_bytes[m_position + 1 + i]) << (8 * i);
        m_position += 1 + size;

        const unsigned type = (prefix >> 2) & 0x3;
        const unsigned tag = prefix >> 4;
        if (type == kTypeMain)
            MainItem(tag);
        else if (type == kTypeGlobal)
            GlobalItem(tag, data);
        else if (type == kTypeLocal && tag == kLocalUsage && !m_usage)
            m_usage = size == 4 ? data : (m_global.usagePage << 16) | (data & 0xFFFF);
        // Other local items and the reserved type do not change what is counted.
    }

    void MainItem(unsigned tag)
    {
        switch (tag) {
        case kMainInput:
            AddField(kInput);
            break;
        case kMainOutput:
            AddField(kOutput);
            break;
        case kMainFeature:
            AddField(kFeature);
            break;
        case kMainCollection:
            if (m_depth == 0) {
                // An extended (4-byte) usage carries its own page; a short one uses the current page.
                const std::uint32_t usage = m_usage.value_or(m_global.usagePage << 16);
                m_current = HidCollectionCaps{};
                m_current.usagePage = static_cast<std::uint16_t>(usage >> 16);
                m_current.usage = static_cast<std::uint16_t>(usage & 0xFFFF);
                for (ReportBits& bits : m_bits)
                    bits.clear();
            }
            ++m_depth;
            break;
        case kMainEndCollection:
            if (m_depth == 0) {
                m_fault = HidDescriptorFault::UnbalancedEndCollection;
                return;
            }
            if (--m_depth == 0)
                CloseTopLevelCollection();
            break;
        default:
            break;
        }
        m_usage.reset();  // local items last until the next main item
    }

    void GlobalItem(unsigned tag, std::uint32_t data)
    {
        switch (tag) {
        case kGlobalUsagePage:
            m_global.usagePage = data & 0xFFFF;
            break;
        case kGlobalReportSize:
            m_global.reportSize = data;
            break;
        case kGlobalReportCount:
            m_global.reportCount = data;
            break;
        case kGlobalReportId:
            if (data == 0 || data > 0xFF) {
                m_fault = HidDescriptorFault::InvalidReportId;
                return;
            }
            m_global.reportId = static_cast<std::uint8_t>(data);
            m_usesReportIds = true;
            break;
        case kGlobalPush:
            m_stack.push_back(m_global);
            break;
        case kGlobalPop:
            if (m_stack.empty()) {
                m_fault = HidDescriptorFault::PopWithoutPush;
                return;
            }
            m_global = m_stack.back();
            m_stack.pop_back();
            break;
        default:
            break;
        }
    }

    void AddField(ReportKind kind)
    {
        if (m_depth == 0) {
            m_fault = HidDescriptorFault::MainItemOutsideCollection;
            return;
        }
        const std::uint64_t fieldBits = std::uint64_t{m_global.reportSize} * m_global.reportCount;
        // A field without bits makes no report of its own.
        if (fieldBits == 0)
            return;
        // Windows refuses a device whose report id is claimed by two top-level collections,
        // and routing input by report id would be ambiguous; such a descriptor is malformed.
        const int owner = m_owner[m_global.reportId];
        const int current = static_cast<int>(m_collections->size());
        if (owner != kNoOwner && owner != current) {
            m_fault = HidDescriptorFault::ReportIdInTwoCollections;
            return;
        }
        m_owner[m_global.reportId] = current;
        std::uint64_t& bits = m_bits[kind][m_global.reportId];
        if (fieldBits > kMaxReportBits || bits + fieldBits > kMaxReportBits) {
            m_fault = HidDescriptorFault::ReportTooLong;
            return;
        }
        bits += fieldBits;
    }

    void CloseTopLevelCollection()
    {
        m_current.inputReportByteLength = LongestReport(m_bits[kInput]);
        m_current.outputReportByteLength = LongestReport(m_bits[kOutput]);
        m_current.featureReportByteLength = LongestReport(m_bits[kFeature]);
        for (const auto& [reportId, bits] : m_bits[kInput])
            m_current.inputReportIds.push_back(reportId);
        m_collections->push_back(std::move(m_current));
    }

    static std::uint16_t LongestReport(const ReportBits& reports)
    {
        std::uint64_t longest = 0;
        for (const auto& [reportId, bits] : reports) {
            const std::uint64_t bytes = (bits + 7) / 8 + 1;
            longest = std::max(longest, bytes);
        }
        return static_cast<std::uint16_t>(longest);
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    std::vector<HidCollectionCaps>* m_collections = nullptr;
    HidDescriptorFault m_fault = HidDescriptorFault::None;
    bool m_usesReportIds = false;
    GlobalState m_global;
    std::vector<GlobalState> m_stack;
    std::optional<std::uint32_t> m_usage;  // page in the high half, usage in the low half
    int m_depth = 0;
    HidCollectionCaps m_current;
    std::array<ReportBits, kReportKindCount> m_bits;
    std::array<int, 256> m_owner{};  // top-level collection of each report id, kNoOwner if none
};

}  // namespace

HidReportDescriptor HidReportDescriptor::Parse(std::span<const std::uint8_t> bytes)
{
    HidReportDescriptor descriptor;
    Parser(bytes).Run(descriptor.m_collections, descriptor.m_usesReportIds, descriptor.m_fault);
    return descriptor;
}

std::string_view HidDescriptorFaultText(HidDescriptorFault fault)
{
    switch (fault) {
    case HidDescriptorFault::None:
        return "well formed";
    case HidDescriptorFault::TruncatedItem:
        return "an item runs past the end";
    case HidDescriptorFault::UnbalancedEndCollection:
        return "End Collection without an open collection";
    case HidDescriptorFault::UnclosedCollection:
        return "a collection is not closed";
    case HidDescriptorFault::PopWithoutPush:
        return "Pop without Push";
    case HidDescriptorFault::MainItemOutsideCollection:
        return "a report field outside any collection";
    case HidDescriptorFault::InvalidReportId:
        return "an invalid report id";
    case HidDescriptorFault::ReportTooLong:
        return "a report too long";
    case HidDescriptorFault::ReportIdInTwoCollections:
        return "a report id used by two top-level collections";
    }
    return "";
}
