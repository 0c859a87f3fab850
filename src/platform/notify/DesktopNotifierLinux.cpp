#include "platform/notify/DesktopNotifier.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QImage>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kImageSide = 64;    // notification pictures are shown small
constexpr int kServerTimeout = -1;  // the server's own display time

// The "image-data" hint: raw RGBA rows, as org.freedesktop.Notifications defines it
// (width, height, row stride, alpha, bits per sample, channels, bytes).
struct NotificationImage {
    int width = 0;
    int height = 0;
    int rowStride = 0;
    bool hasAlpha = true;
    int bitsPerSample = 8;
    int channels = 4;
    QByteArray bytes;
};

QDBusArgument& operator<<(QDBusArgument& argument, const NotificationImage& image)
{
    argument.beginStructure();
    argument << image.width << image.height << image.rowStride << image.hasAlpha << image.bitsPerSample
             << image.channels << image.bytes;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, NotificationImage& image)
{
    argument.beginStructure();
    argument >> image.width >> image.height >> image.rowStride >> image.hasAlpha >> image.bitsPerSample >>
        image.channels >> image.bytes;
    argument.endStructure();
    return argument;
}

NotificationImage ImageOf(const QIcon& icon)
{
    const QImage image =
        icon.pixmap(kImageSide, kImageSide).toImage().convertToFormat(QImage::Format_RGBA8888);
    NotificationImage data;
    data.width = image.width();
    data.height = image.height();
    data.rowStride = static_cast<int>(image.bytesPerLine());
    data.bytes = QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return data;
}

}  // namespace

Q_DECLARE_METATYPE(NotificationImage)

void DesktopNotifier::Send(const QString& title, const QString& message)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        SendToFallback(title, message);
        return;
    }
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), m_desktopEntry);
    if (!m_icon.isNull()) {
        // Registered once, on the first notification with a picture.
        [[maybe_unused]] static const auto registered = qDBusRegisterMetaType<NotificationImage>();
        hints.insert(QStringLiteral("image-data"), QVariant::fromValue(ImageOf(m_icon)));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << m_programName << 0U << m_desktopEntry << title << message << QStringList() << hints << kServerTimeout;
    // A desktop without a notification service answers with an error; the message then
    // goes to the tray instead of being lost.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, title, message](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        if (done->isError())
            SendToFallback(title, message);
    });
}
