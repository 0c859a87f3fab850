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
    m_held.clear();
    macro.MacroActionNum = 0;
    macro.MacroCommandActionNum = 0;
}

std::uint32_t MacroRecorder::MeasuredDelay(std::uint32_t lastEventWord, std::uint32_t eventWord)
{
    const std::uint32_t elapsed = ((eventWord & kTimeMask) - (lastEventWord & kTimeMask)) & kTimeMask;
    return std::min(elapsed, kMaxDelay);
}

std::uint32_t MacroRecorder::FixedDelayValue() const
{
    return static_cast<std::uint32_t>(std::clamp(m_fixedDelay, 1, kMaxFixedDelay));
}

MacroRecorder::KeyOutcome MacroRecorder::OnKeyEvent(MacroKey* macro, std::uintptr_t virtualKey,
                                                    std::uint32_t eventWord)
{
    const auto code = static_cast<std::uint8_t>(virtualKey & 0xFF);
    if (code < MacroAction::kFirstKeyCode || macro == nullptr)
        return KeyOutcome::Ignored;
    if (code == m_lastCode && (eventWord & kReleaseBit) == (m_lastEventWord & kReleaseBit))
        return KeyOutcome::Ignored;

    const bool release = (eventWord & kReleaseBit) != 0;
    const auto heldEntry = std::find(m_held.begin(), m_held.end(), code);
    std::size_t heldAfter = m_held.size();
    if (release && heldEntry != m_held.end())
        --heldAfter;
    else if (!release && heldEntry == m_held.end())
        ++heldAfter;

    // 125 key actions make the macro full, and so does a key event after which the keys
    // still down could not all be released (a delay and a release each) within the 125
    // key actions and 250 slots. Delays inserted by hand during the recording can also
    // leave too few slots for a delay and a key: that ends the recording the same way
    // rather than writing half a keystroke.
    const std::uint32_t count = macro->UsableActionCount();
    const std::size_t slots = count == 0 ? 1 : 2;
    if (macro->MacroCommandActionNum + 1 + heldAfter > MacroKey::kMaxCommandActions ||
        count + slots + 2 * heldAfter > MacroKey::kMaxActions)
        return KeyOutcome::Full;

    ++macro->MacroCommandActionNum;
    if (count > 0) {
        const std::uint32_t delay =
            m_mode == DelayMode::Measured ? MeasuredDelay(m_lastEventWord, eventWord) : FixedDelayValue();
        (void)macro->Insert(count, MacroAction::Delay(delay));
    }
    (void)macro->Insert(macro->UsableActionCount(), KeyAction(code, eventWord));
    if (release && heldEntry != m_held.end())
        m_held.erase(heldEntry);
    else if (!release && heldEntry == m_held.end())
        m_held.push_back(code);
    m_lastCode = code;
    m_lastEventWord = eventWord;
    return KeyOutcome::Recorded;
}

void MacroRecorder::Stop(MacroKey* macro)
{
    m_recording = false;
    if (macro != nullptr) {
        for (const std::uint8_t code : m_held)
            ReleaseHeldKey(*macro, code);
    }
    m_held.clear();
}

void MacroRecorder::ReleaseHeldKey(MacroKey& macro, std::uint8_t code) const
{
    const std::uint32_t count = macro.UsableActionCount();
    if (macro.MacroCommandActionNum < MacroKey::kMaxCommandActions && count < MacroKey::kMaxActions) {
        if (count + 2 <= MacroKey::kMaxActions) {
            const std::uint32_t delay = m_mode == DelayMode::Measured ? kClosingReleaseDelay : FixedDelayValue();
            (void)macro.Insert(count, MacroAction::Delay(delay));
        }
        (void)macro.Insert(macro.UsableActionCount(), MacroAction::FromBytes(code, MacroAction::kReleaseFlag, 0, 0));
        ++macro.MacroCommandActionNum;
        return;
    }
    // No room for the release: a key that is never pressed is never held either.
    for (std::uint32_t i = count; i-- > 0;) {
        const MacroAction action = macro.Get(i);
        if (action.Code() == code && action.Byte(1) == MacroAction::kPressFlag) {
            (void)macro.Remove(i);
            if (macro.MacroCommandActionNum > 0)
                --macro.MacroCommandActionNum;
            return;
        }
    }
}
