#pragma once

#include "platform/keycapture/KeySource.h"

#include <QByteArray>

#include <memory>

class QSocketNotifier;
struct _XDisplay;

// The whole X session's keyboard, from XInput 2 raw key events on the root window: every
// key of every keyboard whatever window has the focus, without taking a key from anyone.
// The connection is this source's own, read from the Qt event loop. Key codes are Linux
// input codes + 8 (the evdev and libinput drivers); the time stamps are the server's.
class X11RawKeySource final : public KeySource {
public:
    // displayName: the X display to open; empty means $DISPLAY.
    explicit X11RawKeySource(QByteArray displayName = {});
    ~X11RawKeySource() override;
    X11RawKeySource(const X11RawKeySource&) = delete;
    X11RawKeySource& operator=(const X11RawKeySource&) = delete;

    [[nodiscard]] bool Start(Delivery delivery) override;
    void Stop() override;

private:
    void ReadEvents();

    QByteArray m_displayName;
    _XDisplay* m_display = nullptr;
    int m_inputOpcode = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    Delivery m_delivery;
};
