// Prints every key event the Windows key capture sees, anywhere in the session, as the
// program's windows receive it: the virtual-key code, press or release, and the time stamp.
// A first look when a recorded key comes out as another key.
//
//   corvane-keyprobe        (Ctrl+C ends it)

#include "platform/keycapture/windows/WindowsKeyboardHook.h"

#include "platform/WindowsLean.h"

#include <cstdio>

int main()
{
    WindowsKeyboardHook hook;
    const bool started = hook.Start([](const KeyEvent& event) {
        std::printf("0x%02X %-7s %10u ms\n", event.virtualKey, event.IsRelease() ? "release" : "press",
                    static_cast<unsigned>(event.TimeMs()));
        std::fflush(stdout);
    });
    if (!started) {
        std::fprintf(stderr, "the keyboard hook could not be installed (error %lu)\n", GetLastError());
        return 1;
    }
    // The hook runs while this thread dispatches its messages.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
