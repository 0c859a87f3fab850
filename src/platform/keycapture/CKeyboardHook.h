#pragma once

#include "platform/keycapture/KeySource.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <memory>

// Key capture for a window: while started, every key press, repeated press and release is
// delivered to the window as KeyHook::kMessage (WM_USER + 1) with wParam = the virtual-key
// code of the physical key as a US keyboard names it and lParam = the event word (bit 31
// release, bits 0..30 milliseconds). System-wide where the session allows it (X11 through
// XInput 2, Windows through a low-level hook), otherwise the keys typed into this
// program's windows. Codes 0xE0..0xE7 are never delivered (see IsDeliverableKey).
class CKeyboardHook {
public:
    CKeyboardHook();
    virtual ~CKeyboardHook();  // stops the hook
    CKeyboardHook(const CKeyboardHook&) = delete;
    CKeyboardHook& operator=(const CKeyboardHook&) = delete;

    // Starts (or restarts) delivery to window through delivery; nothing is delivered once
    // the window is gone. Returns whether a source is running.
    bool StartHook(QObject* window, KeySource::Delivery delivery);

    // Delivers to a skinned window as the posted message WM_USER + 1, after the events
    // already queued for it.
    template <class Window>
    bool StartHook(Window* window)
    {
        return StartHook(window, [window](const KeyEvent& event) {
            window->PostMessage(KeyHook::kMessage, event.virtualKey, static_cast<std::intptr_t>(event.eventWord));
        });
    }

    // Harmless when not started.
    bool StopHook();

    [[nodiscard]] bool IsStarted() const { return m_source != nullptr; }
    // Whether the running source sees the whole session's keyboard.
    [[nodiscard]] bool IsSystemWide() const { return m_systemWide; }

private:
    void Deliver(const KeyEvent& event) const;

    std::unique_ptr<KeySource> m_source;
    QPointer<QObject> m_window;
    KeySource::Delivery m_delivery;
    bool m_systemWide = false;
};
