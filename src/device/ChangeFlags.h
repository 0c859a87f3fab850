#pragma once

// What the user changed since the last apply. The main window sets flags and schedules an
// apply; the apply sends the command groups whose flag is set and then clears them all.
// Only keys, settings, power saving and sensor options lead to commands; motion wake-up
// and the pointer settings live in the profile only.
struct ChangeFlags {
    bool keysChanged = false;
    bool settingsChanged = false;
    bool powerSavingChanged = false;
    bool motionWakeupChanged = false;
    bool sensorOptionsChanged = false;
    bool pointerChanged = false;

    [[nodiscard]] bool Any() const
    {
        return keysChanged || settingsChanged || powerSavingChanged || motionWakeupChanged || sensorOptionsChanged ||
               pointerChanged;
    }

    // A flag whose group goes to the mouse is set: the mouse lacks a change.
    [[nodiscard]] bool AnyCommand() const
    {
        return keysChanged || settingsChanged || powerSavingChanged || sensorOptionsChanged;
    }

    void Clear() { *this = ChangeFlags{}; }

    friend bool operator==(const ChangeFlags&, const ChangeFlags&) = default;
};
