#pragma once

#include <functional>

// Hands work to the thread that owns the model (the UI thread). Post may be called from
// any thread; the task runs later on the owning thread, in posting order.
class UiPoster {
public:
    virtual ~UiPoster() = default;
    virtual void Post(std::function<void()> task) = 0;
};
