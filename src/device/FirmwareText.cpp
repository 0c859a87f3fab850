#include "device/FirmwareText.h"

#include "profiles/LanguageTexts.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

std::u16string Ascii(std::string_view text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string Printf(const char* format, auto... values)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, format, values...);
    if (length <= 0)
        return {};
    return Ascii(std::string_view(buffer, std::min(static_cast<std::size_t>(length), sizeof buffer - 1)));
}

std::u16string LanguageText(const LanguageTexts& texts, int number)
{
    return number < 0 ? std::u16string() : texts.Text(static_cast<std::size_t>(number));
}

}  // namespace

FirmwareText FirmwareText::Status(int textNumber)
{
    return {.label = FirmwareLabel::Status, .format = FirmwareTextFormat::Text, .textNumber = textNumber};
}

FirmwareText FirmwareText::Counted(int textNumber, int number, int total)
{
    return {.label = FirmwareLabel::Status,
            .format = FirmwareTextFormat::Counted,
            .textNumber = textNumber,
            .number = number,
            .total = total};
}

FirmwareText FirmwareText::Countdown(int textNumber, int digit)
{
    return {.label = FirmwareLabel::Status,
            .format = FirmwareTextFormat::Countdown,
            .textNumber = textNumber,
            .number = digit};
}

FirmwareText FirmwareText::DeviceCheckValue(std::uint32_t value)
{
    return {.label = FirmwareLabel::CheckValue, .format = FirmwareTextFormat::DeviceCheckValue, .checkValue = value};
}

FirmwareText FirmwareText::ImageCheckValue(std::uint32_t value)
{
    return {.label = FirmwareLabel::CheckValue, .format = FirmwareTextFormat::ImageCheckValue, .checkValue = value};
}

FirmwareText FirmwareText::ClearedCheckValue()
{
    return {.label = FirmwareLabel::CheckValue, .format = FirmwareTextFormat::Empty};
}

FirmwareText FirmwareText::Percentage(int counter, int total)
{
    return {.label = FirmwareLabel::Percentage, .format = FirmwareTextFormat::Percentage, .number = counter, .total = total};
}

FirmwareText FirmwareText::PercentageStart()
{
    return {.label = FirmwareLabel::Percentage, .format = FirmwareTextFormat::PercentageStart};
}

std::u16string FormatFirmwareText(const FirmwareText& text, const LanguageTexts& texts)
{
    switch (text.format) {
    case FirmwareTextFormat::Empty:
        return {};
    case FirmwareTextFormat::Text:
        return LanguageText(texts, text.textNumber);
    case FirmwareTextFormat::Counted:
        return LanguageText(texts, text.textNumber) + Printf("(%d/%d)", text.number, text.total);
    case FirmwareTextFormat::Countdown:
        return LanguageText(texts, text.textNumber) + Printf("  ....%d", text.number);
    case FirmwareTextFormat::DeviceCheckValue:
        return Printf("Device CS:%.8x", static_cast<unsigned>(text.checkValue));
    case FirmwareTextFormat::ImageCheckValue:
        return Printf("CS1:%.8x", static_cast<unsigned>(text.checkValue));
    case FirmwareTextFormat::Percentage: {
        if (text.total == 0)
            return text.number == 0 ? Printf("%.1f%%", 0.0) : Printf("%.1f%%", 100.0);
        return Printf("%.1f%%", static_cast<double>(text.number) * 100.0 / static_cast<double>(text.total));
    }
    case FirmwareTextFormat::PercentageStart:
        return u"0%";
    }
    return {};
}
