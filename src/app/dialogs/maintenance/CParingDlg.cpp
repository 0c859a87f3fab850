#include "CParingDlg.h"

#include "ui/CStaticText.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"

CParingDlg::CParingDlg(CMessageWindow* owner, const LanguageTexts& texts, std::function<bool()> receiverMouseOnline)
    : CFramedDlg(owner, texts, kDesignWidth, kDesignHeight, QStringLiteral("Frame_common.bmp")),
      m_owner(owner),
      m_receiverMouseOnline(std::move(receiverMouseOnline))
{
}

void CParingDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    AddCloseCross(UiRect{405, 4, 420, 19});
    AddLabel(kIdInstruction, UiRect{15, 34, 415, 74}, Text(kTextInstruction),
             TextFormat::kCenter | TextFormat::kWordBreak);
    m_status = AddLabel(kIdStatus, UiRect{15, 78, 415, 98}, QString(), TextFormat::kCenter | TextFormat::kSingleLine);
    AddTextButton(kIdPair, UiRect{260, 110, 329, 130}, kTextPair);
    AddTextButton(kIdClose, UiRect{350, 110, 419, 130}, kTextClose);
}

QString CParingDlg::StatusText() const
{
    return m_status != nullptr ? m_status->Text() : QString();
}

LResult CParingDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CParingDlg> map{{kIdPair, &CParingDlg::OnPair},
                                            {kIdClose, &CParingDlg::OnCloseClick},
                                            {kIdCloseCross, &CParingDlg::OnCloseClick},
                                            {Msg::kTimer, &CParingDlg::OnTimer}};
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CFramedDlg::OnMessage(message, wParam, lParam);
}

bool CParingDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Space:
        Press();
        return true;
    default:
        return false;  // Escape closes, as on a platform dialog
    }
}

LResult CParingDlg::OnPair(WParam /*wParam*/, LParam lParam)
{
    if (IsClick(lParam))
        Press();
    return 0;
}

void CParingDlg::OnCancel()
{
    KillTimer(kTickTimer);
    CFramedDlg::OnCancel();
}

void CParingDlg::Press()
{
    const PairingSession::PressResult result = m_session.Press();
    if (result.startTimer || result.sendRequest)
        ShowStatus();
    if (result.sendRequest && m_owner != nullptr)
        m_owner->SendMessage(kPairingRequest, 0, 0);
    if (result.startTimer)
        SetTimer(kTickTimer, static_cast<int>(PairingSession::kTickInterval.count()));
}

LResult CParingDlg::OnTimer(WParam wParam, LParam /*lParam*/)
{
    if (wParam != kTickTimer)
        return 0;
    const bool online = m_receiverMouseOnline && m_receiverMouseOnline();
    if (!m_session.Tick(online))
        KillTimer(kTickTimer);
    ShowStatus();
    return 0;
}

void CParingDlg::ShowStatus()
{
    if (m_status == nullptr)
        return;
    m_status->SetText(m_session.StatusText() > 0 ? Text(m_session.StatusText()) : QString());
    InvalidateRect(m_status->GetRect());
}
