#include "platform/instance/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

// How long a later start waits for the running program to take its request.
constexpr int kConnectMilliseconds = 1000;

}  // namespace

SingleInstance::SingleInstance(QString key, QString folder)
    : m_key(std::move(key)), m_lock(QDir(folder).filePath(m_key + QStringLiteral(".lock")))
{
    // A lock is stale only when the process it names is gone, never by its age: a program
    // that runs for weeks keeps it.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

SingleInstance::Role SingleInstance::Claim()
{
    if (!m_lock.tryLock(0)) {
        AskRunningToRestore();
        return Role::Secondary;
    }
    // Holding the lock, any socket of that name is a crashed run's leftover.
    QLocalServer::removeServer(m_key);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, [this] { OnConnection(); });
    // Without the socket the program still runs alone: the lock keeps later starts out,
    // they only cannot bring its window forward.
    (void)m_server->listen(m_key);
    return Role::Primary;
}

void SingleInstance::AskRunningToRestore() const
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    // The running program may still be starting; then this start simply ends.
    if (!socket.waitForConnected(kConnectMilliseconds))
        return;
    socket.write(kRestoreRequest);
    (void)socket.waitForBytesWritten(kConnectMilliseconds);
    socket.disconnectFromServer();
}

void SingleInstance::OnConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kRestoreRequest && m_restore)
                    m_restore();
            }
        });
    }
}

QString SingleInstance::DefaultKey()
{
    // The user's name keeps two users of one machine apart; hashed, since socket names
    // are short and take few characters.
    const QByteArray user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME")).toUtf8();
    return QStringLiteral("corvane-") +
           QString::fromLatin1(QCryptographicHash::hash(user, QCryptographicHash::Sha1).toHex().left(12));
}

QString SingleInstance::DefaultFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
