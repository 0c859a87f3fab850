#include "platform/notify/DesktopNotifier.h"

DesktopNotifier::DesktopNotifier(QString programName, QString desktopEntry, QIcon icon, Fallback fallback,
                                 QObject* parent)
    : QObject(parent),
      m_programName(std::move(programName)),
      m_desktopEntry(std::move(desktopEntry)),
      m_icon(std::move(icon)),
      m_fallback(std::move(fallback))
{
}

void DesktopNotifier::Send(const QString& title, const QString& message)
{
    // The notification area's balloon is this system's notification.
    if (m_fallback)
        m_fallback(title, message);
}
