#include "keyfunc/dialogs/CShortcutDlg.h"

#include "keyfunc/FunctionValue.h"
#include "keyfunc/KeyTables.h"
#include "ui/CCheckButton.h"
#include "ui/CStaticText.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kLabelColor = 0xB4B4B4;  // RGB(180,180,180)
constexpr int kKeyNameFontUnits = 22;

const UiRect kPromptRect{20, 3, 230, 27};
const UiRect kKeyNameRect{25, 35, 183, 57};
const UiRect kOkRect{260, 110, 329, 130};
const UiRect kCancelRect{350, 110, 419, 130};
// The check buttons are 11 units square at y 72; each label starts 4 units after its box.
constexpr int kCheckTop = 72;
constexpr int kShiftLeft = 25;
constexpr int kCtrlLeft = 82;
constexpr int kAltLeft = 139;
constexpr int kWinLeft = 196;
constexpr int kCheckSize = 11;
constexpr int kLabelGap = 4;
// 10 units wider than the classic layout's 30: the fallback faces for Tahoma run wider,
// and the labels still end before the next check button.
constexpr int kLabelWidth = 40;
constexpr int kLabelTop = 70;
constexpr int kLabelBottom = 88;

// The modifier keys themselves are not the key of a combination: they are chosen with the
// check buttons.
constexpr std::uint8_t kLeftWin = 0x5B;
constexpr std::uint8_t kRightWin = 0x5C;
constexpr std::uint8_t kLeftShift = 0xA0;   // then right Shift, left and right Ctrl, Alt
constexpr std::uint8_t kRightAlt = 0xA5;

bool IsModifierKey(std::uint8_t virtualKey)
{
    return virtualKey == kLeftWin || virtualKey == kRightWin || (virtualKey >= kLeftShift && virtualKey <= kRightAlt);
}

}  // namespace

CShortcutDlg::CShortcutDlg(CMessageWindow* owner, const LanguageTexts& texts, ShowNotice showNotice)
    : CKeyFunctionDlg(owner, texts, std::move(showNotice))
{
}

// The hook runs until the dialog is gone.
CShortcutDlg::~CShortcutDlg()
{
    m_hook.StopHook();
}

QString CShortcutDlg::KeyNameText() const
{
    return m_keyName != nullptr ? m_keyName->Text() : QString();
}

bool CShortcutDlg::OnInitDialog()
{
    const bool result = CKeyFunctionDlg::OnInitDialog();
    m_hook.StartHook(this);
    return result;
}

CCheckButton* CShortcutDlg::AddModifier(int id, int left, const QString& label)
{
    auto* check = AddControl(0, std::make_unique<CCheckButton>(
                                    this, id, Scaled({left, kCheckTop, left + kCheckSize, kCheckTop + kCheckSize}), 0));
    check->SetImages(QStringLiteral("check_nr.png"), QStringLiteral("check_ov.png"), QStringLiteral("check_dn.png"));
    check->SetAccessibleName(label);
    const int labelLeft = left + kCheckSize + kLabelGap;
    AddStatic(kIdUnnamed, {labelLeft, kLabelTop, labelLeft + kLabelWidth, kLabelBottom}, kLabelColor,
              TextFormat::kSingleLine | TextFormat::kVCenter, label);
    return check;
}

void CShortcutDlg::CreateDialogControls()
{
    AddStatic(kIdPrompt, kPromptRect, kWhite, TextFormat::kSingleLine | TextFormat::kVCenter, Text(kTextPrompt));
    AddWhiteField(kKeyNameRect);
    m_keyName = AddStatic(kIdKeyName, kKeyNameRect, kBlack,
                          TextFormat::kCenter | TextFormat::kSingleLine | TextFormat::kVCenter, {});
    QFont keyFont(QStringLiteral("Tahoma"));
    keyFont.setPixelSize(UiScale::Scale(kKeyNameFontUnits));
    m_keyName->SetFont(keyFont);
    m_shift = AddModifier(kIdShift, kShiftLeft, QStringLiteral("Shift"));
    m_ctrl = AddModifier(kIdCtrl, kCtrlLeft, QStringLiteral("Ctrl"));
    m_alt = AddModifier(kIdAlt, kAltLeft, QStringLiteral("Alt"));
    m_win = AddModifier(kIdWin, kWinLeft, QStringLiteral("Win"));
    AddTextButton(kIdOk, kOkRect, kTextOk);
    AddTextButton(kIdCancel, kCancelRect, kTextCancel);
}

LResult CShortcutDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CShortcutDlg> map{
        {KeyHook::kMessage, &CShortcutDlg::OnKeyHook},
        {kIdOk, &CShortcutDlg::OnOkButton},
        {kIdCancel, &CShortcutDlg::OnCancelButton},
        {kIdExit, &CShortcutDlg::OnCancelButton},
    };
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CKeyFunctionDlg::OnMessage(message, wParam, lParam);
}

bool CShortcutDlg::PreTranslateKeyDown(int /*key*/, Qt::KeyboardModifiers /*modifiers*/)
{
    return true;
}

// Presses and releases alike name the key; the last key wins.
LResult CShortcutDlg::OnKeyHook(WParam wParam, LParam /*lParam*/)
{
    const auto virtualKey = static_cast<std::uint8_t>(wParam & 0xFF);
    if (IsModifierKey(virtualKey))
        return 0;
    // A key the mouse cannot send (a media key, say) has no usage: taking it would show
    // "Undefined" and give the button a combination without a key.
    const std::uint8_t usage = KeyUsage(virtualKey);
    if (usage == 0)
        return 0;
    m_capturedName = QString::fromStdU16String(std::u16string(KeyName(virtualKey)));
    m_capturedUsage = usage;
    m_keyName->SetText(m_capturedName);
    InvalidateRect(m_keyName->GetRect());
    return 0;
}

LResult CShortcutDlg::OnOkButton(WParam wParam, LParam lParam)
{
    if (lParam != NotifyCode::kClick)
        return 0;
    KeyFunctionResult result;
    result.value = {static_cast<std::uint8_t>(FunctionType::KeyCombination), 0, m_capturedUsage};
    std::u16string text;
    struct Modifier {
        const CCheckButton* check;
        std::uint8_t bit;
        std::u16string_view word;
    };
    // The order of the words in the name.
    const Modifier modifiers[] = {
        {m_ctrl, ModifierBits::kCtrl, u"Ctrl+"},
        {m_shift, ModifierBits::kShift, u"Shift+"},
        {m_alt, ModifierBits::kAlt, u"Alt+"},
        {m_win, ModifierBits::kWin, u"Win+"},
    };
    for (const Modifier& modifier : modifiers) {
        if (modifier.check->IsChecked()) {
            result.value[1] |= modifier.bit;
            text += modifier.word;
        }
    }
    text += m_capturedName.toStdU16String();
    result.name = WithoutFinalPlus(std::move(text));
    if (!result.name.empty())
        SendResult(kResultMessage, wParam, result);
    ReleaseAllImages();
    OnOK();
    return 0;
}
