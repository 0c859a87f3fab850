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

void DesktopNotifier::SendToFallback(const QString& title, const QString& message) const
{
    if (m_fallback)
        m_fallback(title, message);
}
