#include "app/dialogs/CDPIValueSettingDlg.h"

#include "ui/CDPIValueShowControl.h"
#include "ui/CSliderControl.h"
#include "ui/MessageMap.h"

#include <QMouseEvent>

CDPIValueSettingDlg::CDPIValueSettingDlg(CDPIValueShowControl& bar, const DpiStepTable& table,
                                         const LanguageTexts& texts, QWidget* parent)
    : CDPIValueDlgBase(bar, table, texts, QStringLiteral("Frame_DPI.bmp"), kDesignHeight, parent)
{
}

void CDPIValueSettingDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    CreateFrameControls({350, 110, 419, 130}, QStringLiteral("%1"));
}

LResult CDPIValueSettingDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CDPIValueSettingDlg> map{
        {DpiAxisControls::kXIds.slider, &CDPIValueSettingDlg::OnSlider},
    };
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CDPIValueDlgBase::OnMessage(message, wParam, lParam);
}

LResult CDPIValueSettingDlg::OnSlider(WParam wParam, LParam lParam)
{
    if (lParam == NotifyCode::kClick)
        m_x.SetPosition(m_x.Slider()->GetPos());
    else if (lParam == NotifyCode::kDragValue)
        m_x.SetPosition(static_cast<int>(wParam));
    return 0;
}

void CDPIValueSettingDlg::OnOkClicked()
{
    m_x.SetPosition(m_x.TypedPosition());
    m_bar.SetValue(m_x.Position());
    CloseWithOk();
}

bool CDPIValueSettingDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/)
{
    if (IsEnter(key)) {
        m_x.SetPosition(m_x.TypedPosition());
        return true;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        m_x.Step(key == Qt::Key_Left ? -1 : 1);
        m_x.Show();
        return true;
    }
    return key == Qt::Key_Escape;
}

void CDPIValueSettingDlg::mouseMoveEvent(QMouseEvent* event)
{
    // A drag that leaves the slider keeps moving the thumb.
    if (event->buttons() & Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        if (m_x.Slider()->ContinueDrag(point.x(), point.y()))
            m_x.SetPosition(m_x.Slider()->GetPos());
    }
    CDPIValueDlgBase::mouseMoveEvent(event);
}
