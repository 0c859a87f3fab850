#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

#include <functional>

// Sends the desktop's notifications: on Linux through the session bus's notification
// service (org.freedesktop.Notifications), with the program's name and icon; where that
// service cannot be reached, and on Windows, through `fallback` (the tray's balloon).
// Never blocks the caller: the bus call is asynchronous.
class DesktopNotifier : public QObject {
public:
    using Fallback = std::function<void(const QString& title, const QString& message)>;

    // `desktopEntry` names the program's desktop file (without ".desktop"); `icon` is
    // sent as the notification's picture.
    DesktopNotifier(QString programName, QString desktopEntry, QIcon icon, Fallback fallback,
                    QObject* parent = nullptr);

    void Send(const QString& title, const QString& message);

private:
    void SendToFallback(const QString& title, const QString& message) const;

    QString m_programName;
    QString m_desktopEntry;
    QIcon m_icon;
    Fallback m_fallback;
};
