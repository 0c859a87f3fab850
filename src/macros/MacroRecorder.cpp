#include "macros/MacroRecorder.h"

#include "macros/MacroKey.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kReleaseBit = 0x80000000u;
constexpr std::uint32_t kTimeMask = 0x7FFFFFFFu;

MacroAction KeyAction(std::uint8_t code, std::uint32_t eventWord)
{
    const std::uint8_t flag = (eventWord & kReleaseBit) != 0 ? MacroAction::kReleaseFlag : MacroAction::kPressFlag;
    return MacroAction::FromBytes(code, flag, 0, 0);
}

}  // namespace

void MacroRecorder::Start(MacroKey& macro)
{
    m_recording = true;
    m_lastCode = 0;
    m_lastEventWord = 0;
    macro.MacroActionNum = 0;
    macro.MacroCommandActionNum = 0;
}

std::uint32_t MacroRecorder::MeasuredDelay(std::uint32_t lastEventWord, std::uint32_t eventWord)
{
    const std::uint32_t elapsed = ((eventWord & kTimeMask) - (lastEventWord & kTimeMask)) & kTimeMask;
    return std::min(elapsed, kMaxDelay);
}

MacroRecorder::KeyOutcome MacroRecorder::OnKeyEvent(MacroKey* macro, std::uintptr_t virtualKey,
                                                    std::uint32_t eventWord)
{
    const auto code = static_cast<std::uint8_t>(virtualKey & 0xFF);
    if (code < MacroAction::kFirstKeyCode || macro == nullptr)
        return KeyOutcome::Ignored;
    if (code == m_lastCode && (eventWord & kReleaseBit) == (m_lastEventWord & kReleaseBit))
        return KeyOutcome::Ignored;

    const std::uint32_t count = macro->UsableActionCount();
    if (count == 0) {
        ++macro->MacroCommandActionNum;
        (void)macro->Insert(0, KeyAction(code, eventWord));
    } else {
        // 125 key actions make the macro full. Delays inserted by hand during the
        // recording can also leave too few slots for a delay and a key: that ends the
        // recording the same way rather than writing half a keystroke.
        if (macro->MacroCommandActionNum >= MacroKey::kMaxCommandActions || count + 2 > MacroKey::kMaxActions)
            return KeyOutcome::Full;
        ++macro->MacroCommandActionNum;
        const std::uint32_t delay = m_mode == DelayMode::Measured
                                        ? MeasuredDelay(m_lastEventWord, eventWord)
                                        : static_cast<std::uint32_t>(std::clamp(m_fixedDelay, 1, kMaxFixedDelay));
        (void)macro->Insert(count, MacroAction::Delay(delay));
        (void)macro->Insert(count + 1, KeyAction(code, eventWord));
    }
    m_lastCode = code;
    m_lastEventWord = eventWord;
    return KeyOutcome::Recorded;
}
