#pragma once

#include <cstdint>
#include <string>

class LanguageTexts;

// Language text numbers the firmware updater shows.
namespace FirmwareTextNumber {
inline constexpr int kUnsupported = 292;
inline constexpr int kUpToDate = 293;
inline constexpr int kBaseWriting = 295;
inline constexpr int kBaseWriteFailed = 296;
inline constexpr int kBaseVerifying = 297;
inline constexpr int kBaseCheckFailed = 298;
inline constexpr int kClearingUpdateArea = 299;
inline constexpr int kImageWriting = 300;
inline constexpr int kImageWriteFailed = 301;
inline constexpr int kImageLastBlockFailed = 302;
inline constexpr int kImageVerifying = 303;
inline constexpr int kRestarting = 304;
inline constexpr int kInstalling = 305;
inline constexpr int kWaiting = 306;
inline constexpr int kImageCheckFailed = 307;
inline constexpr int kUpdateFailed = 308;
}  // namespace FirmwareTextNumber

// The three labels of the firmware window.
enum class FirmwareLabel : std::uint8_t {
    CheckValue,  // the installed check value
    Status,
    Percentage,
};

// How a label text is put together (the printf form in brackets).
enum class FirmwareTextFormat : std::uint8_t {
    Empty,             // the label is cleared
    Text,              // the language text alone
    Counted,           // "%s(%d/%d)": text, running number, total
    Countdown,         // "%s  ....%d": text, the countdown digit in `number`
    DeviceCheckValue,  // "Device CS:%.8x"
    ImageCheckValue,   // "CS1:%.8x"
    Percentage,        // "%.1f%%" of number * 100 / total
    PercentageStart,   // "0%" before anything is written
};

// One label text as data, so the window and the tests see what was meant and the
// window formats it with the language loaded at that time.
struct FirmwareText {
    FirmwareLabel label = FirmwareLabel::Status;
    FirmwareTextFormat format = FirmwareTextFormat::Text;
    int textNumber = 0;
    int number = 0;
    int total = 0;
    std::uint32_t checkValue = 0;

    [[nodiscard]] static FirmwareText Status(int textNumber);
    [[nodiscard]] static FirmwareText Counted(int textNumber, int number, int total);
    [[nodiscard]] static FirmwareText Countdown(int textNumber, int digit);
    [[nodiscard]] static FirmwareText DeviceCheckValue(std::uint32_t value);
    [[nodiscard]] static FirmwareText ImageCheckValue(std::uint32_t value);
    [[nodiscard]] static FirmwareText ClearedCheckValue();
    [[nodiscard]] static FirmwareText Percentage(int counter, int total);
    [[nodiscard]] static FirmwareText PercentageStart();

    friend bool operator==(const FirmwareText&, const FirmwareText&) = default;
};

// The text as displayed. A percentage with a total of 0 (a program image shorter than
// one frame) shows 100.0% once anything is counted instead of dividing by zero.
[[nodiscard]] std::u16string FormatFirmwareText(const FirmwareText& text, const LanguageTexts& texts);
