#pragma once

// Control ids that the toolkit itself gives a meaning to. Windows keep their own ids
// next to their classes.
namespace ControlId {
inline constexpr int kBattery = 3406;
inline constexpr int kProgressBar = 3002;
inline constexpr int kPowerDial = 3500;
inline constexpr int kLinkButton = 3503;
inline constexpr int kHoverReportingButton = 3502;  // image button that reports moves
inline constexpr int kEditShowList = 2015;
inline constexpr int kImageShowList = 2020;

// Profile tabs 1..5.
inline constexpr int kFirstProfileTab = 2049;
inline constexpr int kLastProfileTab = 2053;

// Page tabs of the main window and the page number each selects.
struct PageTab {
    int id;
    int page;
};
inline constexpr PageTab kPageTabs[] = {{3001, 0}, {3002, 1}, {3003, 2}, {3004, 3},
                                        {3007, 7}, {3008, 8}, {3009, 9}};

// DPI-level buttons of levels 1..8.
inline constexpr int kFirstDpiLevelButton = 3290;
inline constexpr int kLastDpiLevelButton = 3297;
}  // namespace ControlId
