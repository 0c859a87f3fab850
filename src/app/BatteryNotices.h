#pragma once

#include "app/BatteryAlerts.h"
#include "device/BatteryState.h"

#include <QString>

#include <functional>

class LanguageTexts;

// The battery's desktop notifications: the alerts BatteryAlerts decides, in the user's
// language, handed to `send` (the desktop notifier).
class BatteryNotices {
public:
    static constexpr int kTextLowTitle = 334;
    static constexpr int kTextLevelLeft = 335;  // "%1" is the level in percent
    static constexpr int kTextNearlyEmptyTitle = 336;
    static constexpr int kTextChargedTitle = 337;
    static constexpr int kTextChargedMessage = 338;

    using Send = std::function<void(const QString& title, const QString& message)>;

    BatteryNotices(const LanguageTexts& texts, Send send);

    // A change of the battery state; only states the mouse reported count (a receiver
    // that lost its mouse clears the state, which says nothing about the battery).
    void BatteryChanged(const BatteryState& battery, bool reported);

private:
    [[nodiscard]] QString Text(int id) const;

    const LanguageTexts& m_texts;
    Send m_send;
    BatteryAlerts m_alerts;
};
