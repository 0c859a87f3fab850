// Linux (and other POSIX desktops): the session bus, else a lock and a socket in the
// user's private runtime folder.
#include "platform/instance/SingleInstance.h"

#include "platform/instance/LockAndSocket.h"
#include "platform/instance/PrivateRuntimeFolder.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace {

// How long a later start waits for the running program to answer Activate: it may still
// be starting, and its event loop takes the call only once it runs.
constexpr int kActivateTimeoutMs = 20000;
// The name may change hands while a start asks for it (the owner ends just then); that
// many times a start asks again before it gives up.
constexpr int kClaimAttempts = 3;

constexpr char kBusService[] = "org.freedesktop.DBus";
constexpr char kBusPath[] = "/org/freedesktop/DBus";
constexpr char kBusInterface[] = "org.freedesktop.DBus";
constexpr char kServiceUnknown[] = "org.freedesktop.DBus.Error.ServiceUnknown";
constexpr char kNameHasNoOwner[] = "org.freedesktop.DBus.Error.NameHasNoOwner";

}  // namespace

struct SingleInstance::Fallback {
    Fallback(const std::filesystem::path& folder, const std::string& key) : files(folder, key) {}
    LockAndSocket files;
};

SingleInstance::SingleInstance(InstanceName name) : SingleInstance(std::move(name), Place{}) {}

SingleInstance::SingleInstance(InstanceName name, Place place) : m_name(std::move(name)), m_place(std::move(place)) {}

SingleInstance::~SingleInstance()
{
    m_fallback.reset();
    // A process that ends loses its names and objects with its connection; this is for
    // an instance let go while the process goes on. Not waited for: the bus may be
    // ending with the session.
    if (QCoreApplication::instance() == nullptr || (!m_onBus && !m_exported))
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_onBus) {
        QDBusMessage release = QDBusMessage::createMethodCall(QString::fromLatin1(kBusService), QString::fromLatin1(kBusPath),
                                                              QString::fromLatin1(kBusInterface),
                                                              QStringLiteral("ReleaseName"));
        release << m_name.busName;
        (void)bus.send(release);
    }
    if (m_exported)
        bus.unregisterObject(QString::fromLatin1(CorvaneBus::kObjectPath));
}

SingleInstance::Role SingleInstance::Claim(QObject* exported)
{
    if (m_place.sessionBus) {
        bool busReached = false;
        const Role role = ClaimOnBus(exported, busReached);
        if (busReached)
            return role;
    }
    return ClaimWithFallback();
}

SingleInstance::Role SingleInstance::ClaimOnBus(QObject* exported, bool& busReached)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    busReached = bus.isConnected();
    if (!busReached)
        return Role::Unreachable;
    const QString path = QString::fromLatin1(CorvaneBus::kObjectPath);
    const auto unexport = [this, &bus, &path] {
        if (m_exported)
            bus.unregisterObject(path);
        m_exported = false;
    };
    // The object first: a start that finds the name calls it at once.
    if (exported != nullptr) {
        if (!bus.registerObject(path, exported, QDBusConnection::ExportScriptableContents)) {
            m_problem = QStringLiteral("the object %1 cannot be put on the session bus: %2")
                            .arg(path, bus.lastError().message());
            return Role::Unreachable;
        }
        m_exported = true;
    }
    for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
        // Never queued: a start that does not get the name at once is a later start.
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
            m_name.busName, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
        if (!reply.isValid()) {
            m_problem = QStringLiteral("the session bus did not give the name %1: %2")
                            .arg(m_name.busName, reply.error().message());
            unexport();
            return Role::Unreachable;
        }
        if (reply.value() == QDBusConnectionInterface::ServiceRegistered) {
            m_onBus = true;
            return Role::Primary;
        }
        const QDBusMessage call = QDBusMessage::createMethodCall(m_name.busName, path,
                                                                 QString::fromLatin1(CorvaneBus::kInterface),
                                                                 QString::fromLatin1(CorvaneBus::kActivate));
        const QDBusMessage answer = bus.call(call, QDBus::Block, kActivateTimeoutMs);
        if (answer.type() == QDBusMessage::ReplyMessage) {
            unexport();
            return Role::Secondary;
        }
        // The owner ended between the two steps: the name is free again.
        if (answer.errorName() == QLatin1String(kServiceUnknown) || answer.errorName() == QLatin1String(kNameHasNoOwner))
            continue;
        m_problem = QStringLiteral("%1 is running but did not take the restore request: %2 (%3)")
                        .arg(m_name.busName, answer.errorMessage(), answer.errorName());
        unexport();
        return Role::Unreachable;
    }
    m_problem = QStringLiteral("the name %1 changed hands %2 times while this start asked for it")
                    .arg(m_name.busName)
                    .arg(kClaimAttempts);
    unexport();
    return Role::Unreachable;
}

SingleInstance::Role SingleInstance::ClaimWithFallback()
{
    std::filesystem::path folder;
    if (!m_place.folder.isEmpty()) {
        folder = m_place.folder.toStdString();
    } else {
        std::string problem;
        const auto found = PrivateRuntimeFolder(RuntimeFolderSources::FromEnvironment(), problem);
        if (!found) {
            m_problem = QStringLiteral("no session bus, and %1").arg(QString::fromStdString(problem));
            return Role::Unreachable;
        }
        folder = *found;
    }
    m_fallback = std::make_unique<Fallback>(folder, m_name.fileKey.toStdString());
    LockAndSocket& files = m_fallback->files;
    std::string problem;
    switch (files.Take(problem)) {
    case LockAndSocket::Outcome::Held:
        files.SetRequestHandler([this](const std::string& line) {
            if (line == kRestoreRequest && m_restore)
                m_restore();
        });
        return Role::Primary;
    case LockAndSocket::Outcome::HeldElsewhere:
        if (files.Send(kRestoreRequest, problem))
            return Role::Secondary;
        m_problem = QStringLiteral("another run holds %1 but does not answer: %2")
                        .arg(QString::fromStdString(files.LockPath().string()), QString::fromStdString(problem));
        return Role::Unreachable;
    case LockAndSocket::Outcome::Failed:
        break;
    }
    m_problem = QStringLiteral("no session bus, and the lock cannot be taken: %1").arg(QString::fromStdString(problem));
    return Role::Unreachable;
}
