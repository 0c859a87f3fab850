#include "sim/SimMouseState.h"

namespace {

// Wire position of each profile button's entry in the key command: buttons 3 and 4
// exchange places.
constexpr std::array<std::size_t, SimMouseSettings::kButtonCount> kWireSlotOfButton{0, 1, 2, 4, 3, 5};

}  // namespace

std::array<SimMouseSettings::ButtonValue, SimMouseSettings::kButtonCount> SimMouseSettings::KeysInButtonOrder() const
{
    std::array<ButtonValue, kButtonCount> buttons{};
    for (std::size_t button = 0; button < kButtonCount; ++button) {
        const std::size_t wire = kWireSlotOfButton[button] * 3;
        buttons[button] = {keyBytes[wire], keyBytes[wire + 1], keyBytes[wire + 2]};
    }
    return buttons;
}
