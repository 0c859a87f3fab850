#pragma once

#include <functional>
#include <memory>

// The requests to end that reach the process from outside (a session's end or a service
// manager's stop sends SIGTERM, a closed terminal or session SIGHUP, Ctrl+C SIGINT)
// arrive as a call on the UI thread, so that the program ends by its ordinary shutdown
// and keeps what is pending. While an object exists the process does not end by itself
// on these signals; its destruction restores what was there before. One at a time.
class TerminationSignals {
public:
    // `requested` runs on the thread that made the object, with the signal's number.
    explicit TerminationSignals(std::function<void(int signalNumber)> requested);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Whether the signals are being watched (false where the system has none, or the
    // watch could not be set up: then they end the process as before).
    [[nodiscard]] bool Watching() const;

private:
    struct Watch;
    std::unique_ptr<Watch> m_watch;
};
