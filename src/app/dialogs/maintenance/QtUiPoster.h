#pragma once

#include "device/UiPoster.h"

// Posts tasks to the Qt event loop of the UI thread (from any thread); they run in
// posting order, also inside a modal dialog's loop.
class QtUiPoster final : public UiPoster {
public:
    void Post(std::function<void()> task) override;
};
