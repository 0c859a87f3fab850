#include "CCheckFWDlg.h"

#include "device/FirmwareText.h"
#include "profiles/LanguageTexts.h"
#include "ui/CStaticProgressBar.h"
#include "ui/CStaticText.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QMessageBox>

#include <utility>

CCheckFWDlg::CCheckFWDlg(QWidget* owner, const LanguageTexts& texts, FirmwareUpdater& updater,
                         std::span<const std::uint8_t> appImage, std::span<const std::uint8_t> baseImage,
                         ImageErrorReport reportImageError)
    : CFramedDlg(owner, texts, kDesignWidth, kDesignHeight, QStringLiteral("Frame_common.bmp")),
      m_updater(updater),
      m_appImage(FirmwareImage::LoadApp(appImage)),
      m_baseImage(FirmwareImage::LoadBase(baseImage)),
      m_reportImageError(std::move(reportImageError))
{
    if (!m_reportImageError) {
        m_reportImageError = [this](const QString& text) {
            QMessageBox::warning(this, windowTitle(), text);
        };
    }
}

CCheckFWDlg::~CCheckFWDlg()
{
    StopUpdate();
}

void CCheckFWDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    const unsigned line = TextFormat::kLeft | TextFormat::kSingleLine;
    AddCloseCross(UiRect{405, 4, 420, 19});
    m_imageCheckValue = AddLabel(kIdImageCheckValue, UiRect{15, 36, 210, 54}, QString(), line);
    m_deviceCheckValue = AddLabel(kIdDeviceCheckValue, UiRect{215, 36, 415, 54}, QString(), line);
    m_status = AddLabel(kIdStatus, UiRect{15, 58, 415, 76}, QString(), line);
    m_progress = AddControl(0, std::make_unique<CStaticProgressBar>(
                                   this, UiRect{UiScale::Scale(15), UiScale::Scale(82), UiScale::Scale(350),
                                                UiScale::Scale(98)}));
    m_progress->SetImages(QStringLiteral("Frame_progress_nr.bmp"), QStringLiteral("Frame_progress_ov.bmp"));
    m_progress->SetPos(0);
    m_percentage = AddLabel(kIdPercentage, UiRect{355, 80, 415, 100}, QString(), TextFormat::kRight | TextFormat::kSingleLine);
    AddTextButton(kIdOk, UiRect{260, 110, 329, 130}, kTextOk);
    AddTextButton(kIdCancel, UiRect{350, 110, 419, 130}, kTextClose);
}

bool CCheckFWDlg::OnInitDialog()
{
    CFramedDlg::OnInitDialog();
    if (!m_appImage) {
        const QString error = QString::fromStdU16String(kAppFileErrorText);
        SetLabel(m_status, error);
        m_reportImageError(error);
        return true;
    }
    SetLabel(m_imageCheckValue, QString::fromStdU16String(FormatFirmwareText(
                                    FirmwareText::ImageCheckValue(m_appImage->HeaderCheckValue()), m_texts)));
    SetTimer(kStartTimer, kStartDelayMs);
    return true;
}

LResult CCheckFWDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CCheckFWDlg> map{{kIdCloseCross, &CCheckFWDlg::OnCloseButton},
                                             {kIdCancel, &CCheckFWDlg::OnCloseButton},
                                             {kIdOk, &CCheckFWDlg::OnOkButton},
                                             {Msg::kTimer, &CCheckFWDlg::OnTimer}};
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CFramedDlg::OnMessage(message, wParam, lParam);
}

LResult CCheckFWDlg::OnCloseButton(WParam /*wParam*/, LParam lParam)
{
    // The images stay while the window does.
    if (IsClick(lParam) && !PutOffClose(DialogResult::kCancel))
        CloseWithCancel();
    return 0;
}

LResult CCheckFWDlg::OnOkButton(WParam /*wParam*/, LParam /*lParam*/)
{
    return 0;  // the button is there, and does nothing
}

LResult CCheckFWDlg::OnTimer(WParam wParam, LParam /*lParam*/)
{
    if (wParam == kStartTimer) {
        KillTimer(kStartTimer);
        StartUpdate();
    }
    return 0;
}

void CCheckFWDlg::StartUpdate()
{
    if (!m_appImage || m_run)
        return;
    m_run = m_updater.Start(*m_appImage, m_baseImage, *this);
    if (!m_run)
        SetLabel(m_status, Text(kTextConnectCable));
}

void CCheckFWDlg::StopUpdate()
{
    KillTimer(kStartTimer);
    m_run.reset();
}

bool CCheckFWDlg::PutOffClose(int result)
{
    if (!IsUpdateRunning())
        return false;
    if (!m_closePending)
        m_closePending = result;
    return true;
}

void CCheckFWDlg::OnOK()
{
    if (PutOffClose(DialogResult::kOk))
        return;
    StopUpdate();
    CFramedDlg::OnOK();
}

void CCheckFWDlg::OnCancel()
{
    if (PutOffClose(DialogResult::kCancel))
        return;
    StopUpdate();
    CFramedDlg::OnCancel();
}

void CCheckFWDlg::SetLabel(CStaticText* label, const QString& text)
{
    if (label == nullptr)
        return;
    label->SetText(text);
    InvalidateRect(label->GetRect());
}

QString CCheckFWDlg::StatusText() const { return m_status != nullptr ? m_status->Text() : QString(); }
QString CCheckFWDlg::ImageCheckValueText() const
{
    return m_imageCheckValue != nullptr ? m_imageCheckValue->Text() : QString();
}
QString CCheckFWDlg::DeviceCheckValueText() const
{
    return m_deviceCheckValue != nullptr ? m_deviceCheckValue->Text() : QString();
}
QString CCheckFWDlg::PercentageText() const { return m_percentage != nullptr ? m_percentage->Text() : QString(); }
int CCheckFWDlg::ProgressPosition() const { return m_progress != nullptr ? m_progress->GetPos() : 0; }

void CCheckFWDlg::ShowText(const FirmwareText& text)
{
    const QString shown = QString::fromStdU16String(FormatFirmwareText(text, m_texts));
    switch (text.label) {
    case FirmwareLabel::CheckValue: SetLabel(m_deviceCheckValue, shown); break;
    case FirmwareLabel::Status: SetLabel(m_status, shown); break;
    case FirmwareLabel::Percentage: SetLabel(m_percentage, shown); break;
    }
}

void CCheckFWDlg::SetProgress(int value, int total)
{
    if (m_progress == nullptr)
        return;
    m_progress->SetMaximum(total > 0 ? total : 1);
    m_progress->SetPos(value);
    InvalidateRect(m_progress->GetRect());
}

void CCheckFWDlg::UpdateActive() {}

void CCheckFWDlg::Finished(FirmwareUpdateOutcome outcome)
{
    m_outcomes.push_back(outcome);
    // After the restart the final check is still to come; every other outcome is the last.
    if (outcome == FirmwareUpdateOutcome::Restarted)
        return;
    m_runEnded = true;
    if (const std::optional<int> result = std::exchange(m_closePending, std::nullopt)) {
        ReleaseAllImages();
        if (*result == DialogResult::kOk)
            OnOK();
        else
            OnCancel();
    }
}
