#include "app/BatteryNotices.h"

#include "device/BatteryDisplay.h"
#include "profiles/LanguageTexts.h"

BatteryNotices::BatteryNotices(const LanguageTexts& texts, Send send) : m_texts(texts), m_send(std::move(send)) {}

void BatteryNotices::BatteryChanged(const BatteryState& battery, bool reported)
{
    if (!reported || !m_send)
        return;
    const auto alert = m_alerts.Take(battery);
    if (!alert)
        return;
    const int level = BatteryDisplay::ShownLevel(battery.batteryLevel);
    switch (*alert) {
    case BatteryAlert::Low:
        m_send(Text(kTextLowTitle), Text(kTextLevelLeft).arg(level));
        break;
    case BatteryAlert::NearlyEmpty:
        m_send(Text(kTextNearlyEmptyTitle), Text(kTextLevelLeft).arg(level));
        break;
    case BatteryAlert::Charged:
        m_send(Text(kTextChargedTitle), Text(kTextChargedMessage));
        break;
    }
}

QString BatteryNotices::Text(int id) const
{
    return QString::fromStdU16String(m_texts.Text(id));
}
