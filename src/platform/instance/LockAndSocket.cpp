#include "platform/instance/LockAndSocket.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

// A later start tries this long to reach a holder that is binding its socket just now.
constexpr auto kConnectPatience = std::chrono::milliseconds(2000);
constexpr auto kConnectRetry = std::chrono::milliseconds(50);
// A request is one short line; a client that sends more is not one of ours.
constexpr std::size_t kLongestRequest = 64;
constexpr int kBacklog = 8;

std::string Reason(const std::filesystem::path& path)
{
    return path.string() + ": " + std::strerror(errno);
}

// The socket address of a path, or false when the path is too long for one.
bool AddressOf(const std::filesystem::path& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    const std::string& text = path.native();
    if (text.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

struct LockAndSocket::Client {
    int descriptor = -1;
    std::string received;
    std::unique_ptr<QSocketNotifier> notifier;
};

LockAndSocket::LockAndSocket(std::filesystem::path folder, std::string key)
    : m_folder(std::move(folder)), m_key(std::move(key))
{
}

LockAndSocket::~LockAndSocket()
{
    for (const auto& client : m_clients)
        ::close(client->descriptor);
    m_clients.clear();
    m_listenerNotifier.reset();
    if (m_listener >= 0) {
        ::close(m_listener);
        ::unlink(SocketPath().c_str());
    }
    if (m_lock >= 0) {
        // Removed while still held: a start that opened the file before is told by the
        // check in Take that it locked a file no longer in the folder.
        ::unlink(LockPath().c_str());
        ::close(m_lock);
    }
}

std::filesystem::path LockAndSocket::LockPath() const
{
    return m_folder / (m_key + ".lock");
}

std::filesystem::path LockAndSocket::SocketPath() const
{
    return m_folder / (m_key + ".socket");
}

LockAndSocket::Outcome LockAndSocket::Take(std::string& problem)
{
    const std::filesystem::path lockPath = LockPath();
    for (;;) {
        const int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (descriptor < 0) {
            problem = Reason(lockPath);
            return Outcome::Failed;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            problem = held ? std::string() : Reason(lockPath);
            ::close(descriptor);
            return held ? Outcome::HeldElsewhere : Outcome::Failed;
        }
        // The holder before may have removed the file after this start opened it: the
        // lock then guards nothing, and the file in the folder is locked afresh.
        struct stat opened {};
        struct stat named {};
        if (::fstat(descriptor, &opened) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
            opened.st_ino == named.st_ino && opened.st_dev == named.st_dev) {
            m_lock = descriptor;
            break;
        }
        ::close(descriptor);
    }

    // Holding the lock, a socket file there is a crashed run's leftover.
    const std::filesystem::path socketPath = SocketPath();
    ::unlink(socketPath.c_str());
    sockaddr_un address{};
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    // Without the socket the program still runs alone: the lock keeps later starts out,
    // they only cannot bring its window forward.
    if (listener < 0)
        return Outcome::Held;
    if (!AddressOf(socketPath, address) ||
        ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, kBacklog) != 0) {
        ::close(listener);
        return Outcome::Held;
    }
    m_listener = listener;
    m_listenerNotifier = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
    QObject::connect(m_listenerNotifier.get(), &QSocketNotifier::activated, m_listenerNotifier.get(),
                     [this] { Accept(); });
    return Outcome::Held;
}

void LockAndSocket::Accept()
{
    for (;;) {
        const int descriptor = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (descriptor < 0)
            return;
        auto client = std::make_unique<Client>();
        client->descriptor = descriptor;
        client->notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        Client* raw = client.get();
        QObject::connect(raw->notifier.get(), &QSocketNotifier::activated, raw->notifier.get(),
                         [this, raw] { Read(*raw); });
        m_clients.push_back(std::move(client));
    }
}

void LockAndSocket::Read(Client& client)
{
    char buffer[kLongestRequest];
    for (;;) {
        const ssize_t count = ::read(client.descriptor, buffer, sizeof buffer);
        if (count > 0) {
            client.received.append(buffer, static_cast<std::size_t>(count));
            std::size_t end = 0;
            while ((end = client.received.find('\n')) != std::string::npos) {
                const std::string line = client.received.substr(0, end + 1);
                client.received.erase(0, end + 1);
                if (m_handler)
                    m_handler(line);
            }
            if (client.received.size() <= kLongestRequest)
                continue;
        } else if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            return;
        }
        // The end of the request, or more than a request: done with this client.
        Drop(client.descriptor);
        return;
    }
}

void LockAndSocket::Drop(int descriptor)
{
    const auto found = std::find_if(m_clients.begin(), m_clients.end(),
                                    [descriptor](const auto& client) { return client->descriptor == descriptor; });
    if (found == m_clients.end())
        return;
    // The notifier that called may not be deleted inside its own signal.
    (*found)->notifier->setEnabled(false);
    (*found)->notifier.release()->deleteLater();
    ::close(descriptor);
    m_clients.erase(found);
}

bool LockAndSocket::Send(const std::string& request, std::string& problem) const
{
    const std::filesystem::path socketPath = SocketPath();
    sockaddr_un address{};
    if (!AddressOf(socketPath, address)) {
        problem = socketPath.string() + ": the path is too long for a socket";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + kConnectPatience;
    for (;;) {
        const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (descriptor < 0) {
            problem = Reason(socketPath);
            return false;
        }
        if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            const bool written =
                ::send(descriptor, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size());
            if (!written)
                problem = Reason(socketPath);
            ::close(descriptor);
            return written;
        }
        problem = Reason(socketPath);
        ::close(descriptor);
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kConnectRetry);
    }
}
