#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>

class SimulatedMouse;

// What a simulated mouse shares with its handles: the mouse's one lock and a pointer
// the mouse clears in its destructor, so a handle that outlives its mouse fails its
// calls instead of touching freed memory.
struct SimMouseAnchor {
    std::mutex mutex;
    SimulatedMouse* mouse = nullptr;  // guarded by mutex
    // Readers blocked in ReadInput, for tests that must know a reader waits.
    std::size_t blockedReaders = 0;
    std::condition_variable readersChanged;
};
