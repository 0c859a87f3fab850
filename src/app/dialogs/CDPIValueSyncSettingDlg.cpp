#include "app/dialogs/CDPIValueSyncSettingDlg.h"

#include "ui/CCheckButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CEditBox.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"
#include "ui/dialogs/DialogParts.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

constexpr int kSyncLabelHeight = 16;

}  // namespace

CDPIValueSyncSettingDlg::CDPIValueSyncSettingDlg(CDPIValueShowControl& bar, const DpiStepTable& table,
                                                 const LanguageTexts& texts, QWidget* parent)
    : CDPIValueDlgBase(bar, table, texts, QStringLiteral("Frame_DPI_Sync.bmp"), kDesignHeight, parent),
      m_y(table, DpiAxisControls::kYIds, DpiAxisControls::kYRowOffset)
{
}

void CDPIValueSyncSettingDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    m_xPressed = false;
    m_yPressed = false;
    CreateFrameControls({350, 187, 419, 207}, QStringLiteral("X:%1"));
    // Created after the X row, so the Y box is the one that ends up with the focus.
    m_y.Create(*this, QStringLiteral("Y:%1"), m_bar.SecondValue());
    m_y.SetAccessibleName(Text(kTextDpi) + QStringLiteral(" Y"));

    m_sync = AddControl(0, std::make_unique<CCheckButton>(this, kIdSync, DialogParts::Scaled(335, 42, 346, 53),
                                                          TextFormat::kLeft));
    m_sync->SetImages(QStringLiteral("check_nr.png"), QStringLiteral("check_ov.png"),
                      QStringLiteral("check_dn.png"));
    m_sync->SetChecked(m_x.Position() == m_y.Position());
    const QString syncLabel = QStringLiteral("XY Sync");
    CStaticText* label = AddLabel(DpiAxisControls::kLabelId, {350, 40, 410, 58}, syncLabel, TextFormat::kLeft);
    m_sync->SetAccessibleName(syncLabel);
    label->SetFont(UiFont::MakeFont(ControlFont{u"Tahoma", UiScale::Scale(kSyncLabelHeight), 1}));
}

bool CDPIValueSyncSettingDlg::IsSyncChecked() const
{
    return m_sync != nullptr && m_sync->IsChecked();
}

LResult CDPIValueSyncSettingDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CDPIValueSyncSettingDlg> map{
        {DpiAxisControls::kXIds.slider, &CDPIValueSyncSettingDlg::OnXSlider},
        {DpiAxisControls::kYIds.slider, &CDPIValueSyncSettingDlg::OnYSlider},
        {kIdSync, &CDPIValueSyncSettingDlg::OnSync},
    };
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CDPIValueDlgBase::OnMessage(message, wParam, lParam);
}

LResult CDPIValueSyncSettingDlg::OnXSlider(WParam wParam, LParam lParam)
{
    OnAxisSlider(m_x, m_y, m_xPressed, wParam, lParam);
    return 0;
}

LResult CDPIValueSyncSettingDlg::OnYSlider(WParam wParam, LParam lParam)
{
    OnAxisSlider(m_y, m_x, m_yPressed, wParam, lParam);
    return 0;
}

void CDPIValueSyncSettingDlg::OnAxisSlider(DpiAxisControls& axis, DpiAxisControls& other, bool& pressed,
                                           WParam wParam, LParam lParam)
{
    if (lParam == NotifyCode::kPress) {
        pressed = true;
        axis.Edit()->setFocus(Qt::MouseFocusReason);
        return;
    }
    if (lParam == NotifyCode::kClick) {
        pressed = false;
        axis.SetPosition(axis.Slider()->GetPos());
    } else if (lParam == NotifyCode::kDragValue) {
        axis.SetPosition(static_cast<int>(wParam));
    } else {
        return;
    }
    // Every way a slider moves (a drag, a click on its track, an arrow key) ends here,
    // so the other axis follows here too.
    if (IsSyncChecked())
        other.SetPosition(axis.Position());
}

LResult CDPIValueSyncSettingDlg::OnSync(WParam /*wParam*/, LParam lParam)
{
    if (lParam == NotifyCode::kClick && IsSyncChecked() && m_x.Position() != m_y.Position())
        m_y.SetPosition(m_x.Position());
    return 0;
}

void CDPIValueSyncSettingDlg::OnOkClicked()
{
    // What the boxes say is taken as it stands, without synchronising.
    m_x.SetPosition(m_x.TypedPosition());
    m_y.SetPosition(m_y.TypedPosition());
    m_bar.SetValue(m_x.Position());
    m_bar.SetSecondValue(m_y.Position());
    CloseWithOk();
}

void CDPIValueSyncSettingDlg::ShowBoth()
{
    m_x.Show();
    m_y.Show();
}

void CDPIValueSyncSettingDlg::OnAxisKey(DpiAxisControls& axis, DpiAxisControls& other, int key)
{
    if (IsEnter(key))
        axis.SetPosition(axis.TypedPosition());
    else
        axis.Step(key == Qt::Key_Left ? -1 : 1);
    if (IsSyncChecked())
        other.SetPosition(axis.Position());
    ShowBoth();
}

bool CDPIValueSyncSettingDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/)
{
    if (key == Qt::Key_Escape)
        return true;
    if (!IsEnter(key) && key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    const QWidget* focus = QApplication::focusWidget();
    if (focus == m_x.Edit())
        OnAxisKey(m_x, m_y, key);
    else if (focus == m_y.Edit())
        OnAxisKey(m_y, m_x, key);
    else
        ShowBoth();
    return true;
}

void CDPIValueSyncSettingDlg::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        m_xPressed = false;
        m_yPressed = false;
        CDPIValueDlgBase::mouseMoveEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (m_x.Slider()->ContinueDrag(point.x(), point.y()))
        m_x.SetPosition(m_x.Slider()->GetPos());
    if (m_y.Slider()->ContinueDrag(point.x(), point.y()))
        m_y.SetPosition(m_y.Slider()->GetPos());
    // The other axis follows the pressed slider after this move's drag, so both end on
    // the same step when the button is released.
    if (IsSyncChecked()) {
        if (m_xPressed)
            m_y.SetPosition(m_x.Position());
        else
            m_x.SetPosition(m_y.Position());
    }
    CDPIValueDlgBase::mouseMoveEvent(event);
}
