#pragma once

#include "platform/keycapture/KeySource.h"
#include "platform/keycapture/QtKeyMap.h"

#include <QObject>

// The keys pressed while a window of this program has the keyboard focus, on every
// platform: an application-wide event filter that reads each key event once, as its window
// receives it, and lets it go on to the widget it was meant for.
class InProgramKeySource final : public QObject, public KeySource {
public:
    // numbering: how this platform's events carry the physical key.
    explicit InProgramKeySource(NativeScanCodes numbering);
    ~InProgramKeySource() override;

    [[nodiscard]] bool Start(Delivery delivery) override;
    void Stop() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NativeScanCodes m_numbering;
    Delivery m_delivery;
    bool m_started = false;
};
