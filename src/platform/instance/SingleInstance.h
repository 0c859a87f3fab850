#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

// One running program per user session (this file uses Qt: its local socket and lock
// file). The first start holds a lock file and listens on a local socket; a later start
// finds the lock taken, asks the running program to restore its window over the socket
// and ends without showing anything. Two starts at the same moment leave exactly one,
// since only one can hold the lock; the lock of a program that crashed is taken over, as
// the process it names no longer runs, and a socket it left behind is removed.
class SingleInstance {
public:
    enum class Role : std::uint8_t {
        Primary,    // this process runs the program
        Secondary,  // another process does; it was asked to restore its window if it could be reached
    };

    // `key` names the program and the user, e.g. from DefaultKey(); `folder` holds the lock.
    SingleInstance(QString key, QString folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    [[nodiscard]] Role Claim();
    // Called on the UI thread each time a later start asks for the window.
    void SetRestoreHandler(std::function<void()> handler) { m_restore = std::move(handler); }

    // The program's key for this user, and the folder of the user's runtime files.
    [[nodiscard]] static QString DefaultKey();
    [[nodiscard]] static QString DefaultFolder();

    // What a later start says to the running program.
    static constexpr char kRestoreRequest[] = "restore\n";

private:
    void AskRunningToRestore() const;
    void OnConnection();

    QString m_key;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_restore;
};
