#pragma once

#include "platform/keycapture/KeyHookMessage.h"

#include <functional>
#include <memory>

// A source of key events. Events arrive on the thread that started the source, in the
// order the keys went down and up; a held key repeats its press.
class KeySource {
public:
    using Delivery = std::function<void(const KeyEvent&)>;

    virtual ~KeySource() = default;

    // False when the source cannot run here (no X server, no XInput 2, the hook refused);
    // it is then stopped and delivers nothing.
    [[nodiscard]] virtual bool Start(Delivery delivery) = 0;
    // Harmless when not started.
    virtual void Stop() = 0;
};

// The source of the whole session's keyboard on this system, or null where the program can
// see only its own windows' keys (Wayland, the offscreen platform, a build without X11).
[[nodiscard]] std::unique_ptr<KeySource> CreateSystemKeySource();
