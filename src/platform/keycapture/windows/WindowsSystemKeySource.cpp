#include "platform/keycapture/KeySource.h"
#include "platform/keycapture/windows/WindowsKeyboardHook.h"

#include <QGuiApplication>

// Windows' keyboard reaches the hook only when the program's windows are Windows' own
// (Qt's windows platform); the offscreen platform has no keyboard, and its key events
// come through the program's windows alone.
std::unique_ptr<KeySource> CreateSystemKeySource()
{
    if (QGuiApplication::platformName() != QLatin1String("windows"))
        return nullptr;
    return std::make_unique<WindowsKeyboardHook>();
}
