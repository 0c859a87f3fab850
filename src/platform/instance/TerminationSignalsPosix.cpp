#include "platform/instance/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kWatched{SIGTERM, SIGHUP, SIGINT};

// The write end of the self-pipe; the handler does nothing but write the signal's number
// to it, which is all a signal handler may safely do here.
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnTerminationSignal(int number)
{
    const int savedErrno = errno;
    const int writeEnd = g_writeEnd.load(std::memory_order_relaxed);
    if (writeEnd >= 0) {
        const auto byte = static_cast<unsigned char>(number);
        // A full pipe already holds a request; this one may be lost.
        [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

struct TerminationSignals::Watch {
    std::array<int, 2> pipe{-1, -1};
    std::array<struct sigaction, kWatched.size()> previous{};
    std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals(std::function<void(int signalNumber)> requested)
{
    auto watch = std::make_unique<Watch>();
    // One watch per process: the handler has one pipe to write to.
    if (g_writeEnd.load() >= 0 || ::pipe2(watch->pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    const int readEnd = watch->pipe[0];
    watch->notifier = std::make_unique<QSocketNotifier>(readEnd, QSocketNotifier::Read);
    QObject::connect(watch->notifier.get(), &QSocketNotifier::activated, watch->notifier.get(),
                     [readEnd, requested = std::move(requested)] {
                         unsigned char byte = 0;
                         while (::read(readEnd, &byte, 1) == 1)
                             requested(byte);
                     });
    g_writeEnd.store(watch->pipe[1]);

    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    for (const int number : kWatched)
        sigaddset(&action.sa_mask, number);
    // System calls interrupted by the signal go on: the handler only writes to the pipe.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kWatched.size(); ++i)
        (void)::sigaction(kWatched[i], &action, &watch->previous[i]);
    m_watch = std::move(watch);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_watch)
        return;
    for (std::size_t i = 0; i < kWatched.size(); ++i)
        (void)::sigaction(kWatched[i], &m_watch->previous[i], nullptr);
    g_writeEnd.store(-1);
    m_watch->notifier.reset();
    ::close(m_watch->pipe[0]);
    ::close(m_watch->pipe[1]);
}

bool TerminationSignals::Watching() const
{
    return m_watch != nullptr;
}
