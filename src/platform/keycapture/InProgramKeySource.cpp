#include "platform/keycapture/InProgramKeySource.h"

#include <QCoreApplication>
#include <QKeyEvent>

InProgramKeySource::InProgramKeySource(NativeScanCodes numbering) : m_numbering(numbering) {}

InProgramKeySource::~InProgramKeySource()
{
    Stop();
}

bool InProgramKeySource::Start(Delivery delivery)
{
    auto* application = QCoreApplication::instance();
    if (application == nullptr)
        return false;
    Stop();
    m_delivery = std::move(delivery);
    application->installEventFilter(this);
    m_started = true;
    return true;
}

void InProgramKeySource::Stop()
{
    if (!m_started)
        return;
    if (auto* application = QCoreApplication::instance())
        application->removeEventFilter(this);
    m_delivery = nullptr;
    m_started = false;
}

bool InProgramKeySource::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // A key event reaches the window first and is then handed to the focus widget and its
    // parents; reading it at the window sees each key exactly once.
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWindowType() && m_delivery) {
        const auto* keyEvent = static_cast<const QKeyEvent*>(event);
        // A held key is reported by some systems as release and press pairs; only the
        // presses repeat, the one release comes when the key is let go.
        const bool repeatedRelease = type == QEvent::KeyRelease && keyEvent->isAutoRepeat();
        if (!repeatedRelease) {
            const KeyTransition transition =
                type == QEvent::KeyRelease ? KeyTransition::Release : KeyTransition::Press;
            m_delivery(MakeKeyEvent(VirtualKeyOfKeyEvent(*keyEvent, m_numbering), keyEvent->timestamp(),
                                    transition));
        }
    }
    return QObject::eventFilter(watched, event);
}
