#pragma once

#include <functional>
#include <vector>

// The collapsible sections of the main window's right-hand column: which sections close
// when one opens (at most two are open at a time), and where each header sits.
namespace SectionColumn {

inline constexpr int kColumnLeft = 846;       // design units
inline constexpr int kHeaderWidth = 262;
inline constexpr int kHeaderHeight = 25;
inline constexpr int kFirstHeaderTop = 37;
inline constexpr int kHeaderPitch = 30;       // from one closed header to the next
inline constexpr int kDpiBodyHeight = 196;
inline constexpr int kLightingBodyHeight = 170;
inline constexpr int kRateBodyHeight = 180;
inline constexpr int kLiftBodyHeight = 85;
inline constexpr int kPointerBodyHeight = 110;

// The headers to uncheck after `header` was checked, in the order the rule finds them:
// the partners after the first checked partner and the whole close list; without a
// checked partner, the close list but the fallback when the fallback is checked.
[[nodiscard]] std::vector<int> HeadersToClose(int header, const std::function<bool(int)>& isChecked);

// What places the headers: which sections are open and which headers are shown.
struct ColumnState {
    bool dpiOpen = false;
    bool lightingShown = true;
    bool lightingOpen = false;
    bool rateOpen = false;
    bool liftShown = false;
    bool liftOpen = false;
};

// Top edges (design units) of the five headers that can be shown. Each shown header
// takes its own row below the ones above it, followed by the body of each open section
// above it; a header that is not shown takes no row.
struct HeaderTops {
    int dpi = kFirstHeaderTop;
    int lighting = 0;
    int rate = 0;
    int lift = 0;
    int pointer = 0;
    friend bool operator==(const HeaderTops&, const HeaderTops&) = default;
};
[[nodiscard]] HeaderTops LayOut(const ColumnState& state);

}  // namespace SectionColumn
