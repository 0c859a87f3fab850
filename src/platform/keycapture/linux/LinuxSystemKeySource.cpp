#include "platform/keycapture/KeySource.h"
#include "platform/keycapture/linux/X11RawKeySource.h"

#include <QGuiApplication>

// System-wide keys exist only in an X11 session: Wayland keeps each program to its own
// keys, and the offscreen platform has no keyboard.
std::unique_ptr<KeySource> CreateSystemKeySource()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    return std::make_unique<X11RawKeySource>();
}
