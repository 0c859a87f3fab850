#pragma once

#include <array>
#include <utility>
#include <cstddef>
#include <cstdint>

// The payload last built for each command. A command is sent only when its freshly built
// payload differs from its copy; the copy takes the new payload before the command goes
// out, so a command the mouse rejects is not tried again until its data change.
struct LastSentCopies {
    static constexpr std::size_t kKeyBytes = 18;
    static constexpr std::size_t kDpiBytes = 34;
    static constexpr std::size_t kDpiColourBytes = 24;
    static constexpr std::size_t kLightingBytes = 7;
    static constexpr std::size_t kMacroImageBytes = 512;
    static constexpr std::size_t kMacroSlotCount = 11;  // slots 0..10

    using MacroImage = std::array<std::uint8_t, kMacroImageBytes>;

    std::array<std::uint8_t, kKeyBytes> keys{};
    // CurrentDPILevel, DPIOffOnFlag, six X codes, four zero bytes, six Y codes, four zero
    // bytes; codes little-endian.
    std::array<std::uint8_t, kDpiBytes> dpi{};
    std::array<std::uint8_t, kDpiColourBytes> dpiColours{};
    std::uint8_t polling = 0;
    std::uint8_t lift = 0;
    std::uint8_t debounce = 0;
    // 0xFF, mode, brightness/speed, direction, red, green, blue. Priming may put another
    // value in byte 0 so that the next settings apply sends the lighting again.
    std::array<std::uint8_t, kLightingBytes> lighting{};
    std::array<std::uint8_t, 3> powerSaving{};    // PowerDownTime, RgbOffTime, MoveLightingOnOffMode
    std::array<std::uint8_t, 3> sensorOptions{};  // AngleSnap, MotionSync, RippleControl
    std::uint8_t motionWakeup = 0;                 // kept, never sent
    std::array<MacroImage, kMacroSlotCount> macros{};

    // Command groups whose copy says nothing of what the mouse holds: never filled, or
    // forgotten because the command did not reach the mouse. The next send of a forgotten
    // group goes out whatever its bytes; filling a group remembers it again. (A zero
    // copy cannot mean "unknown": zero is a real value of several of them.)
    enum class Group : std::uint8_t { Keys, Settings, PowerSaving, SensorOptions, Count };
    std::array<bool, static_cast<std::size_t>(Group::Count)> forgotten{true, true, true, true};

    void Forget(Group group) { forgotten[static_cast<std::size_t>(group)] = true; }
    void Remember(Group group) { forgotten[static_cast<std::size_t>(group)] = false; }
    // Whether the group was forgotten; it is remembered from now on.
    [[nodiscard]] bool TakeForgotten(Group group)
    {
        return std::exchange(forgotten[static_cast<std::size_t>(group)], false);
    }
    // Forgets every macro image (a zero image is never a macro's): the next apply uploads
    // the macros again.
    void ForgetMacros()
    {
        for (MacroImage& image : macros)
            image.fill(0);
    }
    // Forgets every group and every macro image.
    void ForgetAll()
    {
        forgotten.fill(true);
        ForgetMacros();
    }

    friend bool operator==(const LastSentCopies&, const LastSentCopies&) = default;
};
