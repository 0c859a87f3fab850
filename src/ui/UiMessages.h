#pragma once

#include <cstdint>

// The message vocabulary of the skinned windows. A control notifies its window with its
// own id as the message number and a code in lParam; popups and dialogs answer with
// WM_USER-based numbers. Handlers compare with these names, never with bare numbers.
using UiMessage = unsigned int;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

namespace Msg {
inline constexpr UiMessage kClose = 0x0010;   // ask a window to close
inline constexpr UiMessage kTimer = 0x0113;   // wParam = timer id
inline constexpr UiMessage kUser = 0x0400;    // first number free for the program

// Sent by a popup to its parent when it closes (wParam 0, lParam 0).
inline constexpr UiMessage kPopupClosed = kUser + 1;
}  // namespace Msg

// lParam codes of control notifications.
namespace NotifyCode {
inline constexpr LParam kPress = 1;         // left button went down on the control
inline constexpr LParam kClick = 2;         // left button released inside the control
inline constexpr LParam kDragValue = 3;     // value changing while dragging
inline constexpr LParam kEnter = 4;         // pointer entered (combo and link buttons)
inline constexpr LParam kLeave = 5;         // pointer left (combo and link buttons)
inline constexpr LParam kDoubleClick = 10;
inline constexpr LParam kRightClick = 11;
inline constexpr LParam kHoverMove = 12;    // pointer moving over image button 3502
}  // namespace NotifyCode

// wParam of a scroll-bar press: which part was hit.
namespace ScrollPart {
inline constexpr WParam kThumb = 0;
inline constexpr WParam kLineUp = 6;
inline constexpr WParam kLineDown = 7;
inline constexpr WParam kPageUp = 8;
inline constexpr WParam kPageDown = 9;
}  // namespace ScrollPart

// Mouse-flag bits passed to the controls with every mouse call.
namespace MouseFlag {
inline constexpr unsigned kLeftButton = 0x0001;
inline constexpr unsigned kRightButton = 0x0002;
inline constexpr unsigned kShift = 0x0004;
inline constexpr unsigned kControl = 0x0008;
inline constexpr unsigned kMiddleButton = 0x0010;
}  // namespace MouseFlag
