#pragma once

#include "platform/instance/InstanceName.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QObject;

// One running program per name (this file uses Qt). On Linux the first start owns the
// name on the session bus, with the program's object already exported, and a later start
// calls Activate on that object, the restore request, and ends. Without a session bus a
// lock and a socket in the user's private runtime folder do the same, keyed on the user
// id. On Windows a lock file and Qt's local socket do it.
//
// Starts at the same moment leave exactly one: the bus gives a name to one connection
// only (a request is never queued), and only one process can hold the lock; a lock of a
// crashed run is free again, and a socket it left behind is removed.
class SingleInstance {
public:
    enum class Role : std::uint8_t {
        Primary,      // this process runs the program
        Secondary,    // another process runs it and took the restore request
        Unreachable,  // another process holds the name but could not be reached: see Problem()
    };

    // Where the instance is kept; tests choose a fallback of their own.
    struct Place {
        bool sessionBus = true;  // try the session bus first (Linux)
        QString folder;          // the fallback's folder; empty: the user's private runtime folder
    };

    explicit SingleInstance(InstanceName name);
    SingleInstance(InstanceName name, Place place);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // `exported` (may be null) is the program's object: on the bus it is registered at
    // CorvaneBus::kObjectPath before the name is asked for, so that whoever finds the
    // name finds the object too. It must outlive this instance.
    [[nodiscard]] Role Claim(QObject* exported = nullptr);
    // Why the running program could not be reached, or the name not claimed.
    [[nodiscard]] const QString& Problem() const { return m_problem; }
    // Whether the name is held on the session bus (else by the lock and socket).
    [[nodiscard]] bool OnSessionBus() const { return m_onBus; }
    // Called on the UI thread each time a later start asks for the window over the
    // fallback's socket; on the bus the request is the exported object's Activate.
    void SetRestoreHandler(std::function<void()> handler) { m_restore = std::move(handler); }

    // What a later start writes to the fallback's socket.
    static constexpr char kRestoreRequest[] = "restore\n";

private:
    struct Fallback;
    [[nodiscard]] Role ClaimOnBus(QObject* exported, bool& busReached);
    [[nodiscard]] Role ClaimWithFallback();

    InstanceName m_name;
    Place m_place;
    QString m_problem;
    bool m_onBus = false;
    bool m_exported = false;
    std::unique_ptr<Fallback> m_fallback;
    std::function<void()> m_restore;
};
