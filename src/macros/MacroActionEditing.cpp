#include "macros/MacroActionEditing.h"

#include "keyfunc/KeyTables.h"
#include "macros/MacroKey.h"

#include <string>

namespace MacroActionEditing {

namespace {

constexpr std::uint8_t kLeftButton = 0xE0;
constexpr std::uint8_t kHorizontalMove = 0xE5;
constexpr std::uint8_t kVerticalMove = 0xE6;
constexpr std::uint8_t kWheel = 0xE7;

// The mouse's own codes: buttons, moves and the wheel, which no key dialog edits.
bool IsMouseCode(std::uint8_t code)
{
    return code >= kLeftButton && code <= kWheel;
}

// A code the key dialog may put into a key action: anything else would turn the action
// into a delay or a mouse event.
bool IsKeyCode(std::uint8_t code)
{
    return code >= MacroAction::kFirstKeyCode && !IsMouseCode(code);
}

bool HasRoomFor(const MacroKey& macro, std::uint32_t actions)
{
    return macro.UsableActionCount() + actions <= MacroKey::kMaxActions;
}

MacroAction Press(std::uint8_t code)
{
    return MacroAction::FromBytes(code, MacroAction::kPressFlag, 0, 0);
}

MacroAction Release(std::uint8_t code)
{
    return MacroAction::FromBytes(code, MacroAction::kReleaseFlag, 0, 0);
}

// Press, 50 ms, release at p.
void InsertPair(MacroKey& macro, std::uint32_t p, std::uint8_t code)
{
    (void)macro.Insert(p, Press(code));
    (void)macro.Insert(p + 1, MacroAction::Delay(kPairDelay));
    (void)macro.Insert(p + 2, Release(code));
}

EditOutcome Refused(int notice, int selectedAction)
{
    return {false, notice, selectedAction};
}

EditOutcome InsertDelay(MacroKey& macro, std::uint32_t p, int selectedAction, const ValueDialogs& dialogs)
{
    // Right after a delay the insert edits that delay: two delays in a row would only add up.
    if (p > 0 && macro.Get(p - 1).IsDelay()) {
        MacroAction delay = macro.Get(p - 1);
        if (!dialogs.editDelay || !dialogs.editDelay(delay))
            return {false, 0, selectedAction};
        (void)macro.Set(p - 1, delay);
        return {true, 0, selectedAction};
    }
    if (!HasRoomFor(macro, 1))
        return Refused(kNoticeNoRoom, selectedAction);
    (void)macro.Insert(p, MacroAction::Delay(kNewDelay));
    MacroAction delay = macro.Get(p);
    if (!dialogs.editDelay || !dialogs.editDelay(delay)) {
        (void)macro.Remove(p);
        return {false, 0, selectedAction};
    }
    (void)macro.Set(p, delay);
    return {true, 0, static_cast<int>(p)};
}

EditOutcome InsertKey(MacroKey& macro, std::uint32_t p, int selectedAction, const ValueDialogs& dialogs)
{
    InsertPair(macro, p, kPlaceholderKey);
    std::uint8_t code = kPlaceholderKey;
    if (!dialogs.editKey || !dialogs.editKey(code) || !IsKeyCode(code)) {
        for (int k = 0; k < 3; ++k)
            (void)macro.Remove(p);
        return {false, 0, selectedAction};
    }
    macro.MacroCommandActionNum = static_cast<std::uint8_t>(macro.MacroCommandActionNum + 2);
    (void)macro.Set(p, Press(code));
    (void)macro.Set(p + 2, Release(code));
    return {true, 0, static_cast<int>(p + 2)};
}

EditOutcome InsertMove(MacroKey& macro, std::uint32_t p, int selectedAction, InsertKind kind,
                       const ValueDialogs& dialogs)
{
    const bool horizontal = kind == InsertKind::MoveLeft || kind == InsertKind::MoveRight;
    const bool negative = kind == InsertKind::MoveLeft || kind == InsertKind::MoveUp;
    const auto amount = static_cast<std::uint8_t>(negative ? 0xFF : 0x01);
    (void)macro.Insert(p, MacroAction::FromBytes(horizontal ? kHorizontalMove : kVerticalMove, 0, 0, amount));
    MacroAction move = macro.Get(p);
    if (!dialogs.editMove || !dialogs.editMove(move, static_cast<int>(kind))) {
        (void)macro.Remove(p);
        return {false, 0, selectedAction};
    }
    ++macro.MacroCommandActionNum;
    (void)macro.Set(p, move);
    return {true, 0, static_cast<int>(p)};
}

}  // namespace

int InsertionPoint(const MacroKey& macro, int selectedAction)
{
    const auto count = static_cast<int>(macro.UsableActionCount());
    if (selectedAction < 0 || selectedAction >= count)
        return count;
    return selectedAction + 1;
}

EditOutcome Insert(MacroKey* macro, int selectedAction, InsertKind kind, const ValueDialogs& dialogs)
{
    if (macro == nullptr)
        return Refused(kNoticeNoMacro, selectedAction);
    const auto p = static_cast<std::uint32_t>(InsertionPoint(*macro, selectedAction));
    switch (kind) {
    case InsertKind::LeftClick:
    case InsertKind::RightClick:
    case InsertKind::MiddleClick:
    case InsertKind::Key:
        // Three actions must fit as well: a pair cut off at the 250th slot would leave a
        // press without its release.
        if (macro->MacroCommandActionNum > kMaxKeyActionsBeforePair || !HasRoomFor(*macro, 3))
            return Refused(kNoticeNoRoom, selectedAction);
        if (kind == InsertKind::Key)
            return InsertKey(*macro, p, selectedAction, dialogs);
        macro->MacroCommandActionNum = static_cast<std::uint8_t>(macro->MacroCommandActionNum + 2);
        InsertPair(*macro, p, static_cast<std::uint8_t>(kLeftButton + static_cast<int>(kind)));
        return {true, 0, static_cast<int>(p + 2)};
    case InsertKind::Delay:
        return InsertDelay(*macro, p, selectedAction, dialogs);
    case InsertKind::MoveLeft:
    case InsertKind::MoveRight:
    case InsertKind::MoveUp:
    case InsertKind::MoveDown:
        if (macro->MacroCommandActionNum > kMaxKeyActionsBeforeMove || !HasRoomFor(*macro, 1))
            return Refused(kNoticeNoRoom, selectedAction);
        return InsertMove(*macro, p, selectedAction, kind, dialogs);
    }
    return {false, 0, selectedAction};
}

EditOutcome Modify(MacroKey* macro, int selectedAction, const ValueDialogs& dialogs)
{
    if (macro == nullptr || selectedAction < 0 ||
        selectedAction >= static_cast<int>(macro->UsableActionCount()))
        return {false, 0, selectedAction};
    const auto index = static_cast<std::uint32_t>(selectedAction);
    MacroAction action = macro->Get(index);
    if (action.IsDelay()) {
        if (!dialogs.editDelay || !dialogs.editDelay(action))
            return {false, 0, selectedAction};
        (void)macro->Set(index, action);
        return {true, 0, selectedAction};
    }
    if (IsMouseCode(action.Code()))
        return {false, 0, selectedAction};
    std::uint8_t code = action.Code();
    if (!dialogs.editKey || !dialogs.editKey(code) || !IsKeyCode(code))
        return {false, 0, selectedAction};
    (void)macro->Set(index, MacroAction::FromBytes(code, action.Byte(1), action.Byte(2), action.Byte(3)));
    return {true, 0, selectedAction};
}

EditOutcome Delete(MacroKey* macro, int selectedAction)
{
    if (macro == nullptr || selectedAction < 0)
        return {false, 0, selectedAction};
    const auto count = static_cast<int>(macro->UsableActionCount());
    if (selectedAction >= count)
        return {false, 0, selectedAction};
    const MacroAction removed = macro->Get(static_cast<std::uint32_t>(selectedAction));
    (void)macro->Remove(static_cast<std::uint32_t>(selectedAction));
    // A count read from a file may already be 0; it must not wrap to 255.
    if (!removed.IsDelay() && macro->MacroCommandActionNum > 0)
        --macro->MacroCommandActionNum;
    int selection = selectedAction;
    if (count - 1 == 0)
        selection = -1;
    else if (selectedAction == count - 1)
        selection = selectedAction - 1;
    return {true, 0, selection};
}

std::u16string RowText(MacroAction action)
{
    const auto number = [](long long value) {
        const std::string digits = std::to_string(value);
        return std::u16string(digits.begin(), digits.end());
    };
    if (action.IsDelay())
        return number(action.DelayMilliseconds()) + u"ms";
    const int amount = static_cast<std::int8_t>(action.Byte(3));
    const auto move = [&](std::u16string_view positive, std::u16string_view negative) {
        return amount >= 0 ? std::u16string(positive) + number(amount) : std::u16string(negative) + number(-amount);
    };
    switch (action.Code()) {
    case kHorizontalMove:
        return move(u"Move Right ", u"Move Left ");
    case kVerticalMove:
        return move(u"Move Down ", u"Move Up ");
    case kWheel:
        return move(u"Wheel Down ", u"Wheel Up ");
    default:
        return std::u16string(KeyName(action.Code()));
    }
}

ActionPicture RowPicture(MacroAction action)
{
    if (action.IsDelay())
        return ActionPicture::Time;
    const std::uint8_t code = action.Code();
    if (code >= kHorizontalMove && code <= kWheel)
        return (action.Byte(1) & MacroAction::kReleaseFlag) != 0 ? ActionPicture::Release : ActionPicture::Press;
    return action.Byte(1) == MacroAction::kReleaseFlag ? ActionPicture::Release : ActionPicture::Press;
}

bool ShowsPressOrRelease(MacroAction action)
{
    return !action.IsDelay() && (action.Code() < kHorizontalMove || action.Code() > kWheel);
}

}  // namespace MacroActionEditing
