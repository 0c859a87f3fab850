#pragma once

#include "ui/UiMessages.h"

// The main window's control ids, messages and timers. Control ids double as the message
// numbers their notifications arrive with.
namespace MainId {

// Frame (layer 0).
inline constexpr int kClose = 2001;
inline constexpr int kMinimise = 2002;
inline constexpr int kHide = 2048;
inline constexpr int kFactoryReset = 2045;
inline constexpr int kApply = 2047;
inline constexpr int kMacroManager = 2062;
inline constexpr int kProfileList = 3502;
inline constexpr int kProfileDropDown = 3100;
inline constexpr int kFirstProfileTab = 2049;
inline constexpr int kProfileAdd = 2071;
inline constexpr int kProfileImport = 2068;
inline constexpr int kProfileExport = 2069;
inline constexpr int kProfileDelete = 2070;
inline constexpr int kVersionLine = 3021;
inline constexpr int kWebLink = 3503;
inline constexpr int kReceiverNotice = 3024;
inline constexpr int kDevicePicture = 3400;
inline constexpr int kLegendMark = 3401;
inline constexpr int kLegendWord = 3402;
inline constexpr int kBatteryText = 3405;
inline constexpr int kBattery = 3406;
inline constexpr int kPowerValue = 3407;
inline constexpr int kStatusBle = 3408;
inline constexpr int kStatusWired = 3409;
inline constexpr int kStatusWireless = 3410;
inline constexpr int kPowerDial = 3500;
inline constexpr int kMoveLighting = 3501;
inline constexpr int kMotionWakeup = 3504;
inline constexpr int kPowerSlider = 3533;
inline constexpr int kPowerTrack = 3534;
inline constexpr int kLightsOffSlider = 3535;
inline constexpr int kLightsOffTrack = 3536;
inline constexpr int kLightsOffValue = 3537;
inline constexpr int kMoveLightingLabel = 3538;

// Button-function drop-downs: 2013 + n - 1 for button n (1..9).
inline constexpr int kFirstButtonDropDown = 2013;
inline constexpr int kLastShownButtonDropDown = 2018;
inline constexpr int kLastButtonDropDown = 2021;
inline constexpr int kButtonDropDownCount = 9;
inline constexpr int kShownButtonCount = 6;

// Section headers and title bars.
inline constexpr int kHeaderDpi = 3001;
inline constexpr int kHeaderLighting = 3002;
inline constexpr int kHeaderPointer = 3003;
inline constexpr int kHeaderRate = 3004;
inline constexpr int kHeaderLift = 3011;
inline constexpr int kHeaderDebounce = 3012;
inline constexpr int kHeaderPairing = 3013;
inline constexpr int kHeaderSensorOptions = 3014;
inline constexpr int kHeaderFirmware = 3015;
inline constexpr int kTitleBattery = 3007;
inline constexpr int kTitleButtons = 3008;
inline constexpr int kTitleProfiles = 3009;
inline constexpr int kTitlePower = 3010;

// DPI section (layer 1): one of each per level k = 0..7.
inline constexpr int kFirstDpiCheck = 3260;
inline constexpr int kFirstDpiColor = 3270;
inline constexpr int kFirstDpiSlider = 3280;
inline constexpr int kFirstDpiLevel = 3290;
inline constexpr int kFirstDpiBar = 3300;
inline constexpr int kDpiLevelCount = 8;
inline constexpr int kShownDpiLevels = 6;

// Lighting section (layer 2).
inline constexpr int kLightingMode = 3120;
inline constexpr int kColorsLabel = 3161;
inline constexpr int kBrightnessLabel = 3162;
inline constexpr int kSpeedLabel = 3163;
inline constexpr int kDirectionLabel = 3164;
inline constexpr int kFirstColorSlot = 3180;
inline constexpr int kColorSlotCount = 8;
inline constexpr int kSpeedTrack = 3190;
inline constexpr int kBrightnessTrack = 3191;
inline constexpr int kSpeedSlider = 3200;
inline constexpr int kSpeedValue = 3210;
inline constexpr int kBrightnessSlider = 3220;
inline constexpr int kBrightnessValue = 3230;
inline constexpr int kDirectionUp = 3240;
inline constexpr int kDirectionDown = 3250;

// Pointer section (layer 3).
inline constexpr int kMouseSettings = 3330;
inline constexpr int kAcceleration = 2030;
inline constexpr int kWheelLines = 2009;
inline constexpr int kWheelPage = 2010;
inline constexpr int kWheelSpeed = 2041;
inline constexpr int kPointerSpeed = 2043;
inline constexpr int kDoubleClickSpeed = 2044;
inline constexpr int kPointerSpeedValue = 3130;
inline constexpr int kWheelSpeedValue = 3131;
inline constexpr int kDoubleClickValue = 3132;
inline constexpr int kFirstPointerLabel = 3133;
inline constexpr int kFirstPointerTrack = 3139;

// Report-rate section (layer 4).
inline constexpr int kRateDropDown = 3110;
inline constexpr int kFirstRateRadio = 3030;
inline constexpr int kRateRadioCount = 4;
inline constexpr int kFirstRateCaption = 3142;
inline constexpr int kFirstSevenRateRadio = 3034;
inline constexpr int kFirstSevenRateCaption = 3146;
inline constexpr int kSevenRateCount = 7;

// Lift-off (layer 5), debounce (6), pairing (7), sensor options (8), firmware (9).
inline constexpr int kLiftLow = 3510;
inline constexpr int kLiftHigh = 3511;
inline constexpr int kLiftLowCaption = 3520;
inline constexpr int kLiftHighCaption = 3521;
inline constexpr int kDebounceSlider = 3530;
inline constexpr int kDebounceTrack = 3531;
inline constexpr int kDebounceValue = 3532;
inline constexpr int kPairing = 2054;
inline constexpr int kFirstSensorOption = 3540;  // angle snap, motion sync, ripple control
inline constexpr int kFirstSensorOptionCaption = 3543;
inline constexpr int kFirmware = 2055;

}  // namespace MainId

// Layers of the main window: 0 the frame, then one per section body.
namespace MainLayer {
inline constexpr int kFrame = 0;
inline constexpr int kDpi = 1;
inline constexpr int kLighting = 2;
inline constexpr int kPointer = 3;
inline constexpr int kRate = 4;
inline constexpr int kLift = 5;
inline constexpr int kDebounce = 6;
inline constexpr int kPairing = 7;
inline constexpr int kSensorOptions = 8;
inline constexpr int kFirmware = 9;
}  // namespace MainLayer

// The main window's popup slots, and the square every list is created in before it sizes
// itself to its entries.
namespace MainSlot {
inline constexpr int kList = 0;         // the button-function or lighting-mode list
inline constexpr int kProfileList = 1;
inline constexpr int kActionMenu = 2;
inline constexpr int kFirstSubList = 3;
inline constexpr int kLastSubList = 7;
inline constexpr int kListRoom = 300;   // design units
}  // namespace MainSlot

// Messages the main window handles besides its controls' notifications.
namespace MainMsg {
inline constexpr UiMessage kButtonDropDown = Msg::kUser + 4;     // wParam id, lParam code
inline constexpr UiMessage kRunShortcut = Msg::kUser + 10;       // posted to itself
inline constexpr UiMessage kRunLaunch = Msg::kUser + 14;
inline constexpr UiMessage kRunFireKey = Msg::kUser + 37;
inline constexpr UiMessage kRunMacroSelection = Msg::kUser + 40;
inline constexpr UiMessage kFireKeyResult = Msg::kUser + 39;
inline constexpr UiMessage kMacroSelectionResult = Msg::kUser + 42;
inline constexpr UiMessage kFunctionListDismissed = Msg::kUser + 5;
inline constexpr UiMessage kLightingDropDown = Msg::kUser + 120;
inline constexpr UiMessage kLightingDismissed = Msg::kUser + 122;
inline constexpr UiMessage kProfileListDismissed = Msg::kUser + 102;
inline constexpr UiMessage kProfileActionDismissed = Msg::kUser + 141;
inline constexpr UiMessage kRestore = 2999;
}  // namespace MainMsg

// The main window's timers.
namespace MainTimer {
inline constexpr unsigned kLeftClickWarning = 20;
inline constexpr unsigned kApply = 30;
inline constexpr unsigned kWindowCheck = 40;
inline constexpr unsigned kProfileAction = 60;
inline constexpr unsigned kSave = 70;
inline constexpr unsigned kConnection = 80;
inline constexpr unsigned kBattery = 110;
inline constexpr unsigned kReenumerate = 120;
inline constexpr int kLeftClickWarningMs = 100;
inline constexpr int kProfileActionMs = 100;
}  // namespace MainTimer
