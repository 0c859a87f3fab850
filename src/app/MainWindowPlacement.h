#pragma once

// The screen scale and the main window's place, chosen once at start-up from the size of
// the screen's area for windows (in device-independent pixels, so a 4K screen at 200 %
// desktop scaling counts as 1920 x 1080 and gets scale 1.0 with its sharp art).
struct MainWindowPlacement {
    static constexpr int kDesignWidth = 1127;
    static constexpr int kDesignHeight = 740;

    float uiScale = 1.0F;  // 1.0, 1.5 or 2.0
    int left = 0;
    int top = 0;
    int width = kDesignWidth;
    int height = kDesignHeight;

    // Computed in 32-bit floats and truncated, as every design coordinate is: the window
    // is centred where the screen is larger than it and placed at 0 where it is not.
    [[nodiscard]] static MainWindowPlacement ForScreen(int screenWidth, int screenHeight);
    // The same place for a scale chosen by the user.
    [[nodiscard]] static MainWindowPlacement AtScale(int screenWidth, int screenHeight, float scale);

    friend bool operator==(const MainWindowPlacement&, const MainWindowPlacement&) = default;
};
