#pragma once

#include <cstdint>
#include <optional>

// Selection state shared by every skinned window of the process: which radio button of
// each group is selected, which DPI-level buttons are lit, and the selected profile tab
// and page. Controls write it when clicked; windows read and write it to show state that
// came from elsewhere, then repaint.
class UiState {
public:
    [[nodiscard]] static UiState& Instance();

    // One bit per radio id; bits of a group are exclusive.
    std::uint32_t RadioSelection = 0;
    // Bit n-1 lit for DPI level n.
    std::uint8_t DpiLevelMask = 0;
    int CurrentProfileTab = 0;
    int CurrentPage = 0;

    struct RadioBit {
        std::uint32_t bit;
        std::uint32_t groupMask;  // all bits of the group the id belongs to
    };
    // The bit of a radio id, or nothing for an id outside the group table.
    [[nodiscard]] static std::optional<RadioBit> RadioBitOf(int id);

    // Selects the id's bit and clears the rest of its group; returns false (and leaves
    // the selection alone) for an id outside the group table.
    bool SelectRadio(int id);
    [[nodiscard]] bool IsRadioSelected(int id) const;

    // Back to the state of a fresh process.
    void Reset();
};
