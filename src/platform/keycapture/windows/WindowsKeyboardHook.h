#pragma once

#include "platform/keycapture/KeySource.h"

// The system-wide keyboard events of Windows, through a low-level keyboard hook. The hook
// runs on the thread that starts it, while that thread dispatches its messages (the Qt
// event loop does). Keys are named by their scan code, so they mean the same physical key
// under every layout; keys without a scan code (typed by programs) keep Windows' code.
class WindowsKeyboardHook final : public KeySource {
public:
    WindowsKeyboardHook() = default;
    ~WindowsKeyboardHook() override;
    WindowsKeyboardHook(const WindowsKeyboardHook&) = delete;
    WindowsKeyboardHook& operator=(const WindowsKeyboardHook&) = delete;

    [[nodiscard]] bool Start(Delivery delivery) override;
    void Stop() override;

    // Called by the hook procedure for every started hook of this thread.
    void Deliver(const KeyEvent& event) const;

private:
    void* m_hook = nullptr;  // HHOOK
    Delivery m_delivery;
};
