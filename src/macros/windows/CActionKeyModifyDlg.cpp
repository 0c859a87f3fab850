#include "macros/windows/CActionKeyModifyDlg.h"

#include "keyfunc/KeyTables.h"
#include "ui/CStaticText.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"
#include "ui/dialogs/DialogParts.h"

#include <QPainter>

namespace {

constexpr std::uint32_t kBlack = 0x000000;

}  // namespace

CActionKeyModifyDlg::CActionKeyModifyDlg(const LanguageTexts& texts, std::uint8_t& code, QWidget* parent)
    : CMacroEditDlg(texts, kTextPrompt, kIdPrompt, parent), m_code(code), m_pendingCode(code)
{
}

// The capture ends with the dialog, however it ends.
CActionKeyModifyDlg::~CActionKeyModifyDlg()
{
    m_hook.StopHook();
}

QString CActionKeyModifyDlg::KeyNameText() const
{
    return m_keyName != nullptr ? m_keyName->Text() : QString();
}

bool CActionKeyModifyDlg::OnInitDialog()
{
    const bool result = CMacroEditDlg::OnInitDialog();
    m_hook.StartHook(this);
    return result;
}

void CActionKeyModifyDlg::CreateValueControls()
{
    m_keyName = AddLabel(kIdKeyName, kValueRect, {},
                         TextFormat::kCenter | TextFormat::kSingleLine | TextFormat::kVCenter);
    m_keyName->SetColor(kBlack);
    QFont keyFont(QStringLiteral("Tahoma"));
    keyFont.setPixelSize(UiScale::Scale(kKeyNameFontUnits));
    m_keyName->SetFont(keyFont);
    ShowKeyName();
}

void CActionKeyModifyDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    DrawFrame(painter);
    painter.fillRect(DialogParts::Scaled(kValueRect).ToQRect(), Qt::white);
    DrawControls(painter, clip);
}

LResult CActionKeyModifyDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    if (message == KeyHook::kMessage) {
        m_pendingCode = static_cast<std::uint8_t>(wParam & 0xFF);
        ShowKeyName();
        InvalidateRect(m_keyName->GetRect());
        return 0;
    }
    return CMacroEditDlg::OnMessage(message, wParam, lParam);
}

// Every key goes to the capture; none confirms or closes the dialog.
bool CActionKeyModifyDlg::PreTranslateKeyDown(int /*key*/, Qt::KeyboardModifiers /*modifiers*/)
{
    return true;
}

void CActionKeyModifyDlg::OnOkClicked()
{
    m_hook.StopHook();
    m_code = m_pendingCode;
    CloseWithOk();
}

void CActionKeyModifyDlg::OnCancel()
{
    m_hook.StopHook();
    CMacroEditDlg::OnCancel();
}

void CActionKeyModifyDlg::ShowKeyName()
{
    const QString name = QString::fromStdU16String(std::u16string(KeyName(m_pendingCode)));
    m_keyName->SetText(name);
    // Read with the prompt, the display says what it shows even before a key is pressed.
    m_keyName->SetAccessibleName((Text(kTextPrompt) + QLatin1Char(' ') + name).trimmed());
}
