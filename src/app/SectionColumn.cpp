#include "app/SectionColumn.h"

#include "app/MainWindowIds.h"

#include <algorithm>
#include <array>
#include <span>

namespace SectionColumn {
namespace {

struct OpenRule {
    int header;
    std::span<const int> partners;
    int fallback;  // 0: none
    std::span<const int> closeList;
};

constexpr std::array kDpiPartners{MainId::kHeaderLighting, MainId::kHeaderRate, MainId::kHeaderLift,
                                  MainId::kHeaderDebounce};
constexpr std::array kLightingPartners{MainId::kHeaderDpi, MainId::kHeaderRate, MainId::kHeaderLift,
                                       MainId::kHeaderDebounce};
constexpr std::array kRatePartners{MainId::kHeaderDpi, MainId::kHeaderLighting, MainId::kHeaderLift,
                                   MainId::kHeaderDebounce};
constexpr std::array kLiftPartners{MainId::kHeaderDpi, MainId::kHeaderLighting, MainId::kHeaderRate,
                                   MainId::kHeaderDebounce};
constexpr std::array kPointerPartners{MainId::kHeaderDpi, MainId::kHeaderLighting, MainId::kHeaderRate,
                                      MainId::kHeaderLift, MainId::kHeaderDebounce};
constexpr std::array kCloseWithPointer{MainId::kHeaderPointer, MainId::kHeaderSensorOptions,
                                       MainId::kHeaderPairing, MainId::kHeaderFirmware};
constexpr std::array kCloseWithoutPointer{MainId::kHeaderSensorOptions, MainId::kHeaderPairing,
                                          MainId::kHeaderFirmware};

constexpr std::array kRules{
    OpenRule{MainId::kHeaderDpi, kDpiPartners, MainId::kHeaderPointer, kCloseWithPointer},
    OpenRule{MainId::kHeaderLighting, kLightingPartners, MainId::kHeaderPointer, kCloseWithPointer},
    OpenRule{MainId::kHeaderRate, kRatePartners, MainId::kHeaderPointer, kCloseWithPointer},
    OpenRule{MainId::kHeaderLift, kLiftPartners, MainId::kHeaderPointer, kCloseWithPointer},
    OpenRule{MainId::kHeaderPointer, kPointerPartners, 0, kCloseWithoutPointer},
};

}  // namespace

std::vector<int> HeadersToClose(int header, const std::function<bool(int)>& isChecked)
{
    const auto rule = std::ranges::find(kRules, header, &OpenRule::header);
    if (rule == kRules.end())
        return {};
    std::vector<int> closing;
    const auto partner = std::ranges::find_if(rule->partners, isChecked);
    if (partner != rule->partners.end()) {
        closing.assign(std::next(partner), rule->partners.end());
        closing.insert(closing.end(), rule->closeList.begin(), rule->closeList.end());
    } else if (rule->fallback != 0 && isChecked(rule->fallback)) {
        std::ranges::copy_if(rule->closeList, std::back_inserter(closing),
                             [&](int id) { return id != rule->fallback; });
    }
    return closing;
}

HeaderTops LayOut(const ColumnState& state)
{
    // Rows are taken top-down; each open body pushes every header below it down.
    HeaderTops tops;
    int next = kFirstHeaderTop + kHeaderPitch + (state.dpiOpen ? kDpiBodyHeight : 0);
    tops.lighting = next;
    if (state.lightingShown)
        next += kHeaderPitch + (state.lightingOpen ? kLightingBodyHeight : 0);
    tops.rate = next;
    next += kHeaderPitch + (state.rateOpen ? kRateBodyHeight : 0);
    tops.lift = next;
    if (state.liftShown)
        next += kHeaderPitch + (state.liftOpen ? kLiftBodyHeight : 0);
    tops.pointer = next;
    return tops;
}

}  // namespace SectionColumn
