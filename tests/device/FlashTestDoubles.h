#pragma once

#include "device/Clock.h"
#include "device/FirmwareCheckValue.h"
#include "device/FirmwareUpdateEvents.h"
#include "device/FlashFrame.h"
#include "device/HidHandle.h"
#include "sim/SimFlashMemory.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <vector>

// Test doubles for the firmware updater: a wired handle over the flash model and an
// events sink that records everything.

using Bytes = std::vector<std::uint8_t>;

inline Bytes RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

inline constexpr std::size_t kZeroBlock = 5120;  // a block of zeros in the made-up image

// A program image whose header starts with the check value of its body. Like real
// images it has a run of zeros: there, a lost reply would read back like the image.
inline Bytes MakeAppImage(std::size_t size)
{
    Bytes image = RandomBytes(size, 1);
    if (size >= kZeroBlock + 128)
        std::fill_n(image.begin() + kZeroBlock, 128, 0);
    const std::uint32_t check = FirmwareCheckValue(image);
    for (std::size_t i = 0; i < 4 && i < size; ++i)
        image[i] = static_cast<std::uint8_t>(check >> (8 * i));
    return image;
}

struct SentFrame {
    FlashFrame frame;
    std::chrono::microseconds time;

    [[nodiscard]] bool Is(FlashOp op) const { return frame.OperationCode() == static_cast<std::uint8_t>(op); }
    [[nodiscard]] bool IsWrite() const { return Is(FlashOp::Transfer) && frame.WriteCount() > 0; }
    [[nodiscard]] bool IsRead() const { return Is(FlashOp::Transfer) && frame.ReadCount() > 0; }
};

// The wired command interface of a mouse reduced to its flash: report 0xBF goes to the
// flash model; every frame is recorded with the time it was written. Replies can be
// made to fail, as a read that the mouse does not answer.
class FlashHandle final : public HidHandle {
public:
    FlashHandle(SimFlashMemory& flash, const Clock& clock) : m_flash(flash), m_clock(clock) {}

    bool SetFeature(std::span<const std::uint8_t> report) override
    {
        const std::optional<FlashFrame> frame = FlashFrame::Parse(report);
        if (!frame)
            return false;
        frames.push_back({*frame, m_clock.Now()});
        return m_flash.HandleFrame(report);
    }

    bool GetFeature(std::span<std::uint8_t> buffer) override
    {
        const int reply = m_replies++;
        if (reply >= failRepliesFrom && reply < failRepliesFrom + failReplyCount)
            return false;
        if (failRepliesAt && !frames.empty() && frames.back().frame.Address() == *failRepliesAt)
            return false;
        return m_flash.FillReply(buffer);
    }

    bool ReadInput(std::span<std::uint8_t>) override { return false; }
    void Close() override {}

    std::vector<SentFrame> frames;
    int failRepliesFrom = 0;  // replies counted from 0
    int failReplyCount = 0;
    std::optional<std::uint32_t> failRepliesAt;

private:
    SimFlashMemory& m_flash;
    const Clock& m_clock;
    int m_replies = 0;
};

class RecordingEvents final : public FirmwareUpdateEvents {
public:
    explicit RecordingEvents(const FlashHandle& handle) : m_handle(handle) {}

    void ShowText(const FirmwareText& text) override
    {
        texts.push_back(text);
        if (onText)
            onText(text);
    }
    void SetProgress(int value, int total) override { progress.emplace_back(value, total); }
    void UpdateActive() override { framesAtUpdateActive.push_back(m_handle.frames.size()); }
    void Finished(FirmwareUpdateOutcome outcome) override { outcomes.push_back(outcome); }

    [[nodiscard]] std::vector<int> CountedNumbers(int textNumber) const
    {
        std::vector<int> numbers;
        for (const FirmwareText& text : texts) {
            if (text.format == FirmwareTextFormat::Counted && text.textNumber == textNumber)
                numbers.push_back(text.number);
        }
        return numbers;
    }
    [[nodiscard]] std::optional<FirmwareText> LastOn(FirmwareLabel label) const
    {
        for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
            if (it->label == label)
                return *it;
        }
        return std::nullopt;
    }
    [[nodiscard]] bool Shown(const FirmwareText& wanted) const
    {
        return std::find(texts.begin(), texts.end(), wanted) != texts.end();
    }

    std::vector<FirmwareText> texts;
    std::vector<std::pair<int, int>> progress;
    std::vector<std::size_t> framesAtUpdateActive;
    std::vector<FirmwareUpdateOutcome> outcomes;
    std::function<void(const FirmwareText&)> onText;

private:
    const FlashHandle& m_handle;
};
