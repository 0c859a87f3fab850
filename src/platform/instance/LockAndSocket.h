#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

// The single instance where there is no session bus, on POSIX systems: an advisory lock
// on "<key>.lock" and a local socket "<key>.socket" in a private folder. The holder of the
// lock listens on the socket (its event loop watches it); a later start finds the lock
// held and writes its request to the socket. The system frees the lock of a process that
// ends however it ends, so a crashed run never blocks the next start; the socket file it
// leaves is replaced. Uses Qt only for the socket notifiers.
class LockAndSocket {
public:
    enum class Outcome : std::uint8_t {
        Held,           // this process holds the lock and listens
        HeldElsewhere,  // another process holds it
        Failed,         // the lock could not be taken: see the problem
    };

    LockAndSocket(std::filesystem::path folder, std::string key);
    ~LockAndSocket();
    LockAndSocket(const LockAndSocket&) = delete;
    LockAndSocket& operator=(const LockAndSocket&) = delete;

    [[nodiscard]] Outcome Take(std::string& problem);
    // Writes `request` to the holder's socket; false with the reason when it cannot be
    // reached within a short wait (it may be binding its socket just now).
    [[nodiscard]] bool Send(const std::string& request, std::string& problem) const;
    // Called on the UI thread with each line a later start writes.
    void SetRequestHandler(std::function<void(const std::string& line)> handler) { m_handler = std::move(handler); }

    [[nodiscard]] std::filesystem::path LockPath() const;
    [[nodiscard]] std::filesystem::path SocketPath() const;

private:
    struct Client;
    void Accept();
    void Read(Client& client);
    void Drop(int descriptor);

    std::filesystem::path m_folder;
    std::string m_key;
    int m_lock = -1;
    int m_listener = -1;
    std::unique_ptr<QSocketNotifier> m_listenerNotifier;
    std::vector<std::unique_ptr<Client>> m_clients;
    std::function<void(const std::string&)> m_handler;
};
