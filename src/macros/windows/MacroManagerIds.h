#pragma once

#include "ui/UiMessages.h"

// Control ids and message numbers of the macro manager window.
namespace MacroManagerId {
inline constexpr int kExit = 2004;
inline constexpr int kButtonOk = 2010;      // no command
inline constexpr int kButtonCancel = 2011;  // no command
inline constexpr int kNewMacro = 2012;
inline constexpr int kDeleteItem = 2013;
inline constexpr int kTree = 2015;
inline constexpr int kMeasuredDelay = 2017;
inline constexpr int kRecord = 2018;
inline constexpr int kFixedDelayMode = 2019;
inline constexpr int kActionList = 2020;
inline constexpr int kTreeScrollBar = 2021;
inline constexpr int kActionScrollBar = 2022;
inline constexpr int kModifyAction = 2023;
inline constexpr int kDeleteAction = 2024;
inline constexpr int kTreeTitle = 2025;
inline constexpr int kActionTitle = 2026;  // also the insert opener's label
inline constexpr int kDelayLabel = 2027;   // both delay-mode labels
inline constexpr int kModeOneLabel = 2028;
inline constexpr int kModeFourLabel = 2029;
inline constexpr int kModeCountLabel = 2030;
inline constexpr int kModeOne = 2031;
inline constexpr int kModeFour = 2032;
inline constexpr int kModeCount = 2033;
inline constexpr int kRepeatCount = 2034;
inline constexpr int kInsertOpener = 2035;
inline constexpr int kFixedDelay = 2036;
}  // namespace MacroManagerId

namespace MacroManagerMsg {
inline constexpr UiMessage kInsertOpener = Msg::kUser + 142;   // the opener's notices
inline constexpr UiMessage kInsertChosen = Msg::kUser + 143;   // CComboActionInsertPopup's result
inline constexpr UiMessage kInsertClosed = Msg::kUser + 144;   // its dismissal
inline constexpr UiMessage kMenuChosen = Msg::kUser + 145;     // CMacroListPopup's result
inline constexpr UiMessage kMenuClosed = Msg::kUser + 146;     // its dismissal
}  // namespace MacroManagerMsg

// Language texts the window shows.
namespace MacroManagerText {
inline constexpr int kNoticeTitle = 150;
inline constexpr int kDigitsOnly = 175;
inline constexpr int kFixedDelay = 189;
inline constexpr int kTreeTitle = 191;
inline constexpr int kActionTitle = 192;
inline constexpr int kMeasuredDelay = 193;
inline constexpr int kModeOne = 194;
inline constexpr int kModeFour = 195;
inline constexpr int kModeCount = 196;
inline constexpr int kInsertAction = 197;
inline constexpr int kRecord = 198;
inline constexpr int kStop = 199;
inline constexpr int kNew = 200;
inline constexpr int kModify = 201;
inline constexpr int kDelete = 202;
inline constexpr int kOk = 203;
inline constexpr int kCancel = 204;
inline constexpr int kConfirmDelete = 232;
inline constexpr int kSelectItemFirst = 233;
inline constexpr int kSelectMacroFirst = 234;
inline constexpr int kMacroFull = 235;
inline constexpr int kNameExists = 241;
inline constexpr int kNameEmpty = 242;
inline constexpr int kInUse = 257;
inline constexpr int kNoNumberLeft = 333;
// Names of picture-only controls and rows for assistive technology.
inline constexpr int kClose = 312;
inline constexpr int kKeyPressed = 330;   // "%1" is the key's name
inline constexpr int kKeyReleased = 331;  // "%1" is the key's name
}  // namespace MacroManagerText

// The context menu's commands (the popup's result byte).
namespace MacroMenuCommand {
inline constexpr int kNewMacro = 0;
inline constexpr int kNewFolder = 1;
inline constexpr int kExportMacro = 2;
inline constexpr int kImportMacro = 3;
inline constexpr int kRename = 4;
inline constexpr int kDelete = 5;
inline constexpr int kImportMacros = 6;
inline constexpr int kExportMacros = 7;
}  // namespace MacroMenuCommand
