#pragma once

// Font set-up that can run beside the program's start. On Linux the first text drawn waits
// for fontconfig to read its configuration and font caches, a few milliseconds that the
// UI thread would otherwise spend before the main window can show; Start hands that to a
// worker thread while the UI thread builds the application and its window, and the first
// font lookup then finds the configuration loaded. Elsewhere it does nothing.
class FontWarmUp {
public:
    // Call once, as early as possible; a second call does nothing. Returns at once.
    static void Start();

    // Waits until the worker is done; call it before the program's libraries shut down.
    static void Finish();
};
