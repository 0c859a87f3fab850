// Windows: a lock file and Qt's local socket (a named pipe) in the user's runtime folder.
#include "platform/instance/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// How long a later start waits for the running program to take its request.
constexpr int kConnectMilliseconds = 1000;

QString DefaultFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace

struct SingleInstance::Fallback {
    explicit Fallback(const QString& lockPath) : lock(lockPath) {}
    QLockFile lock;
    std::unique_ptr<QLocalServer> server;
};

SingleInstance::SingleInstance(InstanceName name) : SingleInstance(std::move(name), Place{}) {}

SingleInstance::SingleInstance(InstanceName name, Place place) : m_name(std::move(name)), m_place(std::move(place)) {}

SingleInstance::~SingleInstance()
{
    if (m_fallback && m_fallback->server)
        m_fallback->server->close();
}

SingleInstance::Role SingleInstance::Claim(QObject* /*exported*/)
{
    return ClaimWithFallback();
}

SingleInstance::Role SingleInstance::ClaimOnBus(QObject* /*exported*/, bool& busReached)
{
    busReached = false;
    return Role::Unreachable;
}

SingleInstance::Role SingleInstance::ClaimWithFallback()
{
    const QString folder = m_place.folder.isEmpty() ? DefaultFolder() : m_place.folder;
    const QString key = m_name.fileKey;
    m_fallback = std::make_unique<Fallback>(QDir(folder).filePath(key + QStringLiteral(".lock")));
    // A lock is stale only when the process it names is gone, never by its age: a program
    // that runs for weeks keeps it.
    m_fallback->lock.setStaleLockTime(0);
    if (!m_fallback->lock.tryLock(0)) {
        // The connection itself is the restore request: nothing is written. Qt's named
        // pipes have no buffer, so a write completes only once the running program has
        // read it, and a later start that gave up waiting and closed the pipe cancelled
        // its request with it. A connection the running program has accepted stays
        // accepted when this start closes its end at once. Write-only, so that no read
        // is started that closing would have to cancel.
        QLocalSocket socket;
        socket.connectToServer(key, QIODevice::WriteOnly);
        // The running program may still be starting; then this start simply ends.
        (void)socket.waitForConnected(kConnectMilliseconds);
        socket.abort();
        return Role::Secondary;
    }
    // Holding the lock, any socket of that name is a crashed run's leftover.
    QLocalServer::removeServer(key);
    auto& server = m_fallback->server;
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [this] {
        while (QLocalSocket* socket = m_fallback->server->nextPendingConnection()) {
            socket->deleteLater();  // nothing is read: each connection is one request
            if (m_restore)
                m_restore();
        }
    });
    // Without the socket the program still runs alone: the lock keeps later starts out,
    // they only cannot bring its window forward.
    (void)server->listen(key);
    return Role::Primary;
}
