#include "platform/instance/TerminationSignals.h"

// A Windows desktop program learns of the session's end through its windows (the
// session-save request and the end of the event loop), not through signals: there is
// nothing to watch here.
struct TerminationSignals::Watch {};

TerminationSignals::TerminationSignals(std::function<void(int signalNumber)> /*requested*/) {}

TerminationSignals::~TerminationSignals() = default;

bool TerminationSignals::Watching() const
{
    return false;
}
