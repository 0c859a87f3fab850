#pragma once

#include "sim/SimLiveState.h"

#include <condition_variable>
#include <deque>

// The input reports waiting for one status handle, guarded by the mouse's lock. `ended`
// is set when the handle closes or its plug period ends; a blocked reader then wakes and
// fails.
struct SimInputQueue {
    std::deque<SimStatusReport> reports;
    bool ended = false;
    // The handle's reader waits in ReadInput for the next report.
    bool readerWaiting = false;
    std::condition_variable arrived;
};
