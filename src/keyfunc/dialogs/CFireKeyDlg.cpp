#include "keyfunc/dialogs/CFireKeyDlg.h"

#include "keyfunc/FunctionValue.h"
#include "ui/CEditBox.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"

#include <limits>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kLabelColor = 0xB4B4B4;
constexpr int kFirstMinimum = 5;
constexpr int kNumberMaximum = 255;
constexpr int kSecondMinimum = 0;

const UiRect kPromptRect{20, 3, 230, 27};
const UiRect kFirstLabelRect{70, 30, 280, 48};
const UiRect kSecondLabelRect{250, 30, 460, 48};
const UiRect kFirstBoxRect{70, 50, 168, 72};
const UiRect kSecondBoxRect{250, 50, 348, 72};
const UiRect kNoteRect{70, 75, 420, 111};
const UiRect kOkRect{350, 110, 419, 130};
const QString kFirstDefault = QStringLiteral("50");
const QString kSecondDefault = QStringLiteral("0");

}  // namespace

CFireKeyDlg::CFireKeyDlg(CMessageWindow* owner, const LanguageTexts& texts, ShowNotice showNotice)
    : CKeyFunctionDlg(owner, texts, std::move(showNotice))
{
}

CFireKeyDlg::~CFireKeyDlg() = default;

int CFireKeyDlg::LeadingNumber(const QString& text)
{
    qsizetype position = 0;
    while (position < text.size() && text[position].isSpace())
        ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == u'-' || text[position] == u'+')) {
        negative = text[position] == u'-';
        ++position;
    }
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; position < text.size() && text[position] >= u'0' && text[position] <= u'9'; ++position)
        value = std::min(kLimit, value * 10 + (text[position].unicode() - u'0'));
    if (negative)
        return static_cast<int>(std::max(-value, static_cast<long long>(std::numeric_limits<int>::min())));
    return static_cast<int>(std::min(value, static_cast<long long>(std::numeric_limits<int>::max())));
}

bool CFireKeyDlg::OnInitDialog()
{
    const bool result = CKeyFunctionDlg::OnInitDialog();
    SetTimer(kCheckTimer, kCheckIntervalMs);
    m_first->FocusAtEnd();
    return result;
}

void CFireKeyDlg::CreateDialogControls()
{
    const unsigned line = TextFormat::kSingleLine | TextFormat::kVCenter;
    AddStatic(kIdText, kPromptRect, kWhite, line, Text(kTextPrompt));
    AddStatic(kIdText, kFirstLabelRect, kLabelColor, line, Text(kTextFirstLabel));
    AddStatic(kIdText, kSecondLabelRect, kLabelColor, line, Text(kTextSecondLabel));
    AddStatic(kIdText, kNoteRect, kLabelColor, TextFormat::kWordBreak, Text(kTextNote));
    m_first = new CEditBox(this, kIdNumber, kFirstBoxRect, EditBoxColors::Standard(), EditBoxFilter::DigitsReported);
    m_first->SetText(kFirstDefault);
    m_second = new CEditBox(this, kIdNumber, kSecondBoxRect, EditBoxColors::Standard(), EditBoxFilter::DigitsReported);
    m_second->SetText(kSecondDefault);
    m_first->setAccessibleName(Text(kTextFirstLabel));
    m_second->setAccessibleName(Text(kTextSecondLabel));
    AddTextButton(kIdOk, kOkRect, kTextOk);
}

LResult CFireKeyDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CFireKeyDlg> map{
        {Msg::kTimer, &CFireKeyDlg::OnTimer},
        {CEditBox::kNonDigitTyped, &CFireKeyDlg::OnNonDigit},
        {kIdOk, &CFireKeyDlg::OnOkButton},
        {kIdExit, &CFireKeyDlg::OnCancelButton},
    };
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CKeyFunctionDlg::OnMessage(message, wParam, lParam);
}

bool CFireKeyDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

void CFireKeyDlg::CorrectRanges()
{
    if (LeadingNumber(m_first->GetText()) > kNumberMaximum) {
        m_first->SetText(QString::number(kNumberMaximum));
        Notice(kTextFirstOutOfRange);
    }
    // A negative count would be sent as its low byte, 253 for -3: it goes to 0 instead.
    const int second = LeadingNumber(m_second->GetText());
    if (second > kNumberMaximum || second < kSecondMinimum) {
        m_second->SetText(QString::number(second > kNumberMaximum ? kNumberMaximum : kSecondMinimum));
        Notice(kTextSecondOutOfRange);
    }
}

LResult CFireKeyDlg::OnTimer(WParam wParam, LParam /*lParam*/)
{
    if (wParam == kCheckTimer)
        CorrectRanges();
    return 0;
}

LResult CFireKeyDlg::OnNonDigit(WParam /*wParam*/, LParam /*lParam*/)
{
    Notice(kTextDigitsOnly);
    return 0;
}

LResult CFireKeyDlg::OnOkButton(WParam wParam, LParam lParam)
{
    if (lParam != NotifyCode::kClick)
        return 0;
    // The timer may not have seen the last typing yet: a number past 255 would otherwise
    // be sent as its low byte.
    CorrectRanges();
    const int first = LeadingNumber(m_first->GetText());
    if (first < kFirstMinimum) {
        Notice(kTextFirstOutOfRange);
        return 0;
    }
    KeyFunctionResult result;
    result.value = {static_cast<std::uint8_t>(FunctionType::FireKey), static_cast<std::uint8_t>(first & 0xFF),
                    static_cast<std::uint8_t>(LeadingNumber(m_second->GetText()) & 0xFF)};
    result.name = WithoutFinalPlus(Text(kTextFireKeyName).toStdU16String());
    if (!result.name.empty())
        SendResult(kResultMessage, wParam, result);
    ReleaseAllImages();
    OnOK();
    return 0;
}

// The check ends with the dialog, whichever way it ends.
void CFireKeyDlg::OnOK()
{
    KillTimer(kCheckTimer);
    CKeyFunctionDlg::OnOK();
}

void CFireKeyDlg::OnCancel()
{
    KillTimer(kCheckTimer);
    CKeyFunctionDlg::OnCancel();
}
