#include "platform/notify/DesktopNotifier.h"

void DesktopNotifier::Send(const QString& title, const QString& message)
{
    // The notification area's balloon is this system's notification.
    SendToFallback(title, message);
}
