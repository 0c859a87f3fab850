#include "device/FirmwareUpdateProcedure.h"

#include "device/FirmwareCheckValue.h"
#include "device/FlashMap.h"
#include "device/FlashTransport.h"

#include <algorithm>
#include <vector>

namespace {

using std::chrono::milliseconds;
using Outcome = FirmwareUpdateOutcome;
namespace TextNumber = FirmwareTextNumber;

constexpr std::size_t kBlock = FlashLayout::kDataLength;
constexpr int kImageWriteSteps = 4;  // progress steps per written program-image frame
constexpr int kImageReadSteps = 1;   // and per frame read back
constexpr int kProgressStepsPerBlock = kImageWriteSteps + kImageReadSteps;

constexpr milliseconds kComparePause{5};
constexpr milliseconds kProtectionPause{100};
constexpr milliseconds kErasePause{200};
constexpr milliseconds kBaseWritePause{40};
constexpr milliseconds kVerifyPause{5};
constexpr milliseconds kClearPause{3000};
constexpr milliseconds kImageWritePause{40};
constexpr milliseconds kImageReadPause{5};
constexpr milliseconds kInstallPause{100};
constexpr milliseconds kInfoReadPause{5};
constexpr milliseconds kCountdownStep{1000};

constexpr int kComparePasses = 3;
constexpr int kBaseSectorCount = (FlashMap::kBaseAreaEnd - FlashMap::kBaseAreaStart) / FlashMap::kSectorSize;
constexpr int kBaseBlockCount = (FlashMap::kBaseAreaEnd - FlashMap::kBaseAreaStart) / kBlock;
static_assert(kBaseSectorCount + kBaseBlockCount == FirmwareUpdateProcedure::kBaseFrameTotal);
static_assert(kBaseBlockCount == FirmwareUpdateProcedure::kBaseVerifyTotal);

constexpr std::uint32_t kBlankCheckValue = 0xFFFFFFFF;
constexpr int kWaitingSeconds = 20;
constexpr int kRestartCountdownFrom = 3;

std::uint32_t LittleEndian32(std::span<const std::uint8_t> bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint32_t AddressAt(std::uint32_t start, std::size_t offset)
{
    return start + static_cast<std::uint32_t>(offset);
}

// Reads one block at `address` and compares it with the image's bytes there; a failed
// read never matches.
bool BlockMatches(FlashTransport& transport, const FirmwareImage& image, std::uint32_t address)
{
    const std::optional<FlashTransport::Block> block = transport.Read(address, kBlock);
    const std::span<const std::uint8_t> expected = image.Range(address, kBlock);
    return block && std::equal(expected.begin(), expected.end(), block->begin());
}

}  // namespace

FirmwareUpdateProcedure::FirmwareUpdateProcedure(Clock& clock, FirmwareImage appImage, FirmwareImage baseImage,
                                                 FirmwareUpdateEvents& events, std::stop_token stop)
    : m_clock(clock),
      m_appImage(std::move(appImage)),
      m_baseImage(std::move(baseImage)),
      m_events(events),
      m_stop(std::move(stop)),
      m_progressTotal(static_cast<int>(m_appImage.Size() / kBlock) * kProgressStepsPerBlock)
{
}

bool FirmwareUpdateProcedure::IsFirmwareUpdateSupported(std::uint16_t wiredVersion)
{
    constexpr std::uint16_t kSupportedMajor = 2;
    return (wiredVersion >> 8) == kSupportedMajor;
}

FirmwareUpdateOutcome FirmwareUpdateProcedure::Finish(FirmwareUpdateOutcome outcome)
{
    m_events.Finished(outcome);
    return outcome;
}

FirmwareUpdateOutcome FirmwareUpdateProcedure::CheckAndUpdate(HidHandle* handle, std::uint16_t wiredVersion,
                                                              Restart restart)
{
    if (m_appImage.Empty())
        return Finish(Outcome::InvalidImage);
    if (!IsFirmwareUpdateSupported(wiredVersion)) {
        m_events.ShowText(FirmwareText::ClearedCheckValue());
        m_events.ShowText(FirmwareText::Status(TextNumber::kUnsupported));
        return Finish(Outcome::Unsupported);
    }
    FlashTransport transport(handle, m_clock, m_stop);
    try {
        const std::optional<std::uint32_t> installed = ReadInstalledCheckValue(transport);
        if (installed == ImageCheckValue()) {
            m_events.ShowText(FirmwareText::Status(TextNumber::kUpToDate));
            return Finish(Outcome::UpToDate);
        }
        const Outcome outcome = Update(transport, restart);
        return outcome == Outcome::ReadyToRestart ? outcome : Finish(outcome);
    } catch (const FlashTransport::Stopped&) {
        return Finish(Outcome::Cancelled);
    }
}

FirmwareUpdateOutcome FirmwareUpdateProcedure::RestartAndCountDown(HidHandle* handle)
{
    FlashTransport transport(handle, m_clock, m_stop);
    try {
        RestartAndCountDown(transport);
        return Finish(Outcome::Restarted);
    } catch (const FlashTransport::Stopped&) {
        return Finish(Outcome::Cancelled);
    }
}

FirmwareUpdateOutcome FirmwareUpdateProcedure::FinalCheck(HidHandle* handle)
{
    FlashTransport transport(handle, m_clock, m_stop);
    try {
        const std::optional<std::uint32_t> installed = ReadInstalledCheckValue(transport);
        if (!m_appImage.Empty() && installed == ImageCheckValue()) {
            m_events.ShowText(FirmwareText::Status(TextNumber::kUpToDate));
            return Finish(Outcome::Installed);
        }
        m_events.ShowText(FirmwareText::Status(TextNumber::kUpdateFailed));
        return Finish(Outcome::NotInstalled);
    } catch (const FlashTransport::Stopped&) {
        return Finish(Outcome::Cancelled);
    }
}

std::optional<std::uint32_t> FirmwareUpdateProcedure::ReadInstalledCheckValue(FlashTransport& transport)
{
    const std::optional<FlashTransport::Block> header =
        transport.Read(FlashMap::kInstalledHeader, kFirmwareHeaderLength);
    // A failed read shows zeros and never counts as equal.
    const std::uint32_t shown = header ? LittleEndian32(*header) : 0;
    m_events.ShowText(FirmwareText::DeviceCheckValue(shown));
    if (!header)
        return std::nullopt;
    return shown;
}

FirmwareUpdateOutcome FirmwareUpdateProcedure::Update(FlashTransport& transport, Restart restart)
{
    m_progressCounter = 0;
    m_events.SetProgress(0, m_progressTotal);
    m_events.ShowText(FirmwareText::PercentageStart());

    if (const std::optional<Outcome> ended = UpdateBaseArea(transport))
        return *ended;
    if (const std::optional<Outcome> ended = WriteProgramImage(transport))
        return *ended;
    if (!ReadBackMatches(transport)) {
        m_events.ShowText(FirmwareText::Status(TextNumber::kImageCheckFailed));
        transport.SendUnchecked(FlashFrame::ClearUpdateArea());
        transport.Wait(kClearPause);
        return Outcome::ImageCheckFailed;
    }
    if (!Install(transport)) {
        m_events.ShowText(FirmwareText::Status(TextNumber::kUpdateFailed));
        return Outcome::NotInstalled;
    }
    if (restart == Restart::LeftToCaller)
        return Outcome::ReadyToRestart;
    RestartAndCountDown(transport);
    return Outcome::Restarted;
}

std::optional<FirmwareUpdateOutcome> FirmwareUpdateProcedure::UpdateBaseArea(FlashTransport& transport)
{
    // Without a base image there is nothing to compare with or write: rewriting would
    // fill the mouse's base area with zeros.
    if (m_baseImage.Empty())
        return std::nullopt;
    // A pass that finds the window equal means the base area is current; reads can
    // fail spuriously, so only three failed passes in a row lead to a rewrite.
    for (int pass = 0; pass < kComparePasses; ++pass) {
        if (BaseComparePass(transport))
            return std::nullopt;
    }
    return RewriteBaseArea(transport);
}

bool FirmwareUpdateProcedure::BaseComparePass(FlashTransport& transport)
{
    for (std::uint32_t address = FlashMap::kBaseCompareStart; address < FlashMap::kBaseCompareEnd;
         address += kBlock) {
        if (!BlockMatches(transport, m_baseImage, address))
            return false;
        transport.Wait(kComparePause);
    }
    return true;
}

std::optional<FirmwareUpdateOutcome> FirmwareUpdateProcedure::RewriteBaseArea(FlashTransport& transport)
{
    transport.SendUnchecked(FlashFrame::Protection(kFlashUnlockCode));
    transport.Wait(kProtectionPause);

    int step = 0;
    for (int sector = 0; sector < kBaseSectorCount; ++sector) {
        const std::uint32_t address = FlashMap::kBaseAreaStart + static_cast<std::uint32_t>(sector) * FlashMap::kSectorSize;
        transport.SendUnchecked(FlashFrame::EraseSector(address));
        m_events.ShowText(FirmwareText::Counted(TextNumber::kBaseWriting, ++step, kBaseFrameTotal));
        transport.Wait(kErasePause);
    }

    // The compare window is read once more after the erase, up to its first differing
    // block; the result is not used.
    static_cast<void>(BaseComparePass(transport));

    for (int block = 0; block < kBaseBlockCount; ++block) {
        const std::uint32_t address = AddressAt(FlashMap::kBaseAreaStart, static_cast<std::size_t>(block) * kBlock);
        if (!transport.SendWithRetries(FlashFrame::TransferWrite(address, m_baseImage.Range(address, kBlock)))) {
            m_events.ShowText(FirmwareText::Status(TextNumber::kBaseWriteFailed));
            return Outcome::BaseWriteFailed;
        }
        m_events.ShowText(FirmwareText::Counted(TextNumber::kBaseWriting, ++step, kBaseFrameTotal));
        transport.Wait(kBaseWritePause);
    }

    transport.SendUnchecked(FlashFrame::Protection(kFlashLockCode));
    transport.Wait(kProtectionPause);

    for (int block = 0; block < kBaseBlockCount; ++block) {
        const std::uint32_t address = AddressAt(FlashMap::kBaseAreaStart, static_cast<std::size_t>(block) * kBlock);
        if (!BlockMatches(transport, m_baseImage, address)) {
            m_events.ShowText(FirmwareText::Status(TextNumber::kBaseCheckFailed));
            return Outcome::BaseCheckFailed;
        }
        m_events.ShowText(FirmwareText::Counted(TextNumber::kBaseVerifying, block + 1, kBaseVerifyTotal));
        transport.Wait(kVerifyPause);
    }
    return std::nullopt;
}

void FirmwareUpdateProcedure::AddProgress(int steps)
{
    m_progressCounter += steps;
    m_events.SetProgress(m_progressCounter, m_progressTotal);
    m_events.ShowText(FirmwareText::Percentage(m_progressCounter, m_progressTotal));
}

std::optional<FirmwareUpdateOutcome> FirmwareUpdateProcedure::WriteProgramImage(FlashTransport& transport)
{
    const std::optional<FlashTransport::Block> first = transport.Read(FlashMap::kUpdateAreaStart, kBlock);
    if (!first || LittleEndian32(*first) != kBlankCheckValue) {
        m_events.ShowText(FirmwareText::Status(TextNumber::kClearingUpdateArea));
        transport.SendUnchecked(FlashFrame::ClearUpdateArea());
        transport.Wait(kClearPause);
    }

    m_events.ShowText(FirmwareText::Status(TextNumber::kImageWriting));
    const std::span<const std::uint8_t> image = m_appImage.Bytes();
    for (std::size_t offset = 0; offset < image.size(); offset += kBlock) {
        const std::size_t length = std::min(kBlock, image.size() - offset);
        const FlashFrame frame = FlashFrame::TransferWrite(AddressAt(FlashMap::kUpdateAreaStart, offset),
                                                           image.subspan(offset, length));
        if (!transport.SendWithRetries(frame)) {
            const bool lastBlock = length < kBlock;
            m_events.ShowText(FirmwareText::Status(lastBlock ? TextNumber::kImageLastBlockFailed
                                                             : TextNumber::kImageWriteFailed));
            return lastBlock ? Outcome::ImageLastBlockFailed : Outcome::ImageWriteFailed;
        }
        AddProgress(kImageWriteSteps);
        transport.Wait(kImageWritePause);
    }
    return std::nullopt;
}

bool FirmwareUpdateProcedure::ReadBackMatches(FlashTransport& transport)
{
    m_events.ShowText(FirmwareText::Status(TextNumber::kImageVerifying));
    const std::size_t size = m_appImage.Size();
    std::vector<std::uint8_t> readBack(size, 0);
    bool allRead = true;
    for (std::size_t offset = 0; offset < size; offset += kBlock) {
        const std::size_t length = std::min(kBlock, size - offset);
        const std::optional<FlashTransport::Block> data =
            transport.Read(AddressAt(FlashMap::kUpdateAreaStart, offset), length);
        if (data)
            std::copy_n(data->begin(), length, readBack.begin() + static_cast<std::ptrdiff_t>(offset));
        else
            allRead = false;
        AddProgress(kImageReadSteps);
        transport.Wait(kImageReadPause);
    }
    return allRead && FirmwareCheckValue(readBack) == ImageCheckValue();
}

bool FirmwareUpdateProcedure::Install(FlashTransport& transport)
{
    transport.SendUnchecked(FlashFrame::EraseSector(FlashMap::kInstallEraseFirst));
    transport.Wait(kInstallPause);

    std::optional<FlashTransport::Block> info = transport.Read(FlashMap::kInfoBlock, FlashMap::kInfoBlockLength);
    transport.Wait(kInfoReadPause);
    // Writing back a block that was never read would overwrite the information block
    // with zeros.
    if (!info)
        return false;
    ++(*info)[FlashMap::kInfoCounter];
    transport.SendUnchecked(FlashFrame::WriteBytes(FlashMap::kInfoBlock, *info));
    transport.Wait(kInstallPause);

    transport.SendUnchecked(FlashFrame::EraseSector(FlashMap::kInstallEraseSecond));
    transport.Wait(kInstallPause);
    transport.SendUnchecked(FlashFrame::EraseSector(FlashMap::kInstallEraseThird));
    transport.Wait(kInstallPause);

    std::array<std::uint8_t, FlashMap::kInfoMarkerLength> marker{};
    marker.fill(FlashMap::kErased);
    transport.SendUnchecked(FlashFrame::WriteBytes(FlashMap::kInfoMarker, marker));
    transport.Wait(kInstallPause);
    return true;
}

void FirmwareUpdateProcedure::RestartAndCountDown(FlashTransport& transport)
{
    m_events.ShowText(FirmwareText::Countdown(TextNumber::kRestarting, kRestartCountdownFrom));
    m_events.UpdateActive();
    transport.SendUnchecked(FlashFrame::Restart());
    transport.Wait(kCountdownStep);

    for (int digit = kRestartCountdownFrom - 1; digit >= 1; --digit) {
        m_events.ShowText(FirmwareText::Countdown(TextNumber::kRestarting, digit));
        transport.Wait(kCountdownStep);
    }
    for (int digit = kRestartCountdownFrom; digit >= 1; --digit) {
        m_events.ShowText(FirmwareText::Countdown(TextNumber::kInstalling, digit));
        transport.Wait(kCountdownStep);
    }
    for (int digit = kWaitingSeconds; digit >= 1; --digit) {
        m_events.ShowText(FirmwareText::Countdown(TextNumber::kWaiting, digit));
        transport.Wait(kCountdownStep);
    }
}
