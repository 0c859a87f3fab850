#include "CProgressBarDlg.h"

#include "ui/CStaticText.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QPainter>

#include <algorithm>

CProgressBarDlg::CProgressBarDlg(QWidget* owner, const LanguageTexts& texts, QString message)
    : CFramedDlg(owner, texts, kDesignWidth, kDesignHeight, QStringLiteral("Frame_progress_nr.bmp")),
      m_message(std::move(message))
{
    m_bar.Load(QStringLiteral("Frame_progress_ov.bmp"));
}

int CProgressBarDlg::ShowProgress(QWidget* owner, const LanguageTexts& texts, const QString& message)
{
    CProgressBarDlg dialog(owner, texts, message);
    return dialog.DoModal();
}

bool CProgressBarDlg::OnInitDialog()
{
    CFramedDlg::OnInitDialog();
    SetTimer(kGrowTimer, kGrowIntervalMs);
    return true;
}

void CProgressBarDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    AddCloseCross(UiRect{405, 4, 420, 19});
    AddLabel(kIdMessage, UiRect{15, 24, 335, 44}, m_message, TextFormat::kLeft | TextFormat::kSingleLine);
    AddTextButton(kIdOk, UiRect{345, 24, 414, 44}, kTextOk);
}

void CProgressBarDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    DrawFrame(painter);
    // The filled picture over the empty one, as wide as the fill.
    const int width = UiScale::Scale(BarDesignWidth());
    if (width > 0) {
        painter.save();
        painter.setClipRect(QRect(0, 0, width, height()), Qt::IntersectClip);
        m_bar.Draw(painter, UiRect{0, 0, UiScale::Scale(kDesignWidth), UiScale::Scale(kDesignHeight)});
        painter.restore();
    }
    DrawControls(painter, clip);
}

LResult CProgressBarDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CProgressBarDlg> map{{kIdOk, &CProgressBarDlg::OnOkButton},
                                                 {kIdCloseCross, &CProgressBarDlg::OnCross},
                                                 {Msg::kTimer, &CProgressBarDlg::OnTimer}};
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CFramedDlg::OnMessage(message, wParam, lParam);
}

LResult CProgressBarDlg::OnOkButton(WParam /*wParam*/, LParam lParam)
{
    if (IsClick(lParam))
        Finish(DialogResult::kOk);
    return 0;
}

LResult CProgressBarDlg::OnCross(WParam /*wParam*/, LParam lParam)
{
    if (IsClick(lParam))
        Finish(DialogResult::kCancel);
    return 0;
}

LResult CProgressBarDlg::OnTimer(WParam wParam, LParam /*lParam*/)
{
    if (wParam == kGrowTimer) {
        m_fill = std::min(kFullFill, m_fill + kFillStep);
        InvalidateAll();
        if (m_fill >= kFullFill) {
            KillTimer(kGrowTimer);
            SetTimer(kEndTimer, kEndDelayMs);
        }
    } else if (wParam == kEndTimer) {
        Finish(DialogResult::kOk);
    }
    return 0;
}

void CProgressBarDlg::Finish(int result)
{
    KillTimer(kGrowTimer);
    KillTimer(kEndTimer);
    m_bar.Release();
    ReleaseAllImages();
    EndDialog(result);
}
