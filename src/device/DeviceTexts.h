#pragma once

// Language text numbers the device link shows or asks windows to show.
namespace DeviceTexts {
inline constexpr int kNotice = 150;              // title of the attention window
inline constexpr int kNoMouseFound = 155;
inline constexpr int kMouseOffline = 156;
inline constexpr int kSavingToMouse = 146;       // the progress dialog's message
inline constexpr int kResetQuestion = 140;
inline constexpr int kConnectCableFirst = 291;  // the firmware update needs the wired link
}  // namespace DeviceTexts
