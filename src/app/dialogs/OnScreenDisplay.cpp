#include "app/dialogs/OnScreenDisplay.h"

#include "app/dialogs/COSDDialog.h"
#include "app/dialogs/OsdTexts.h"
#include "ui/CMessageWindow.h"

OnScreenDisplay::OnScreenDisplay(CMessageWindow& owner) : m_owner(owner) {}

OnScreenDisplay::~OnScreenDisplay()
{
    m_owner.KillTimer(kTimerId);
    delete m_display.data();
}

void OnScreenDisplay::OnStatusChanged(WParam wParam, const Profile& profile, const DpiStepTable& table)
{
    if (wParam != kShowDisplay)
        return;
    const OsdTexts texts = BuildOsdTexts(profile, table);
    if (m_display != nullptr) {
        m_countdown = kCountdownStart;
        m_display->SetTexts(texts);
        return;
    }
    m_display = new COSDDialog(&m_owner);
    m_display->PlaceOnOwnersScreen();
    m_display->show();
    m_display->SetTexts(texts);
    m_owner.SetTimer(kTimerId, kTimerPeriodMs);
    m_countdown = kCountdownStart;
}

void OnScreenDisplay::OnTimer()
{
    if (m_countdown > 0) {
        --m_countdown;
        return;
    }
    m_owner.KillTimer(kTimerId);
    delete m_display.data();
    m_display = nullptr;
}
