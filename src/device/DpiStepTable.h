#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The DPI steps of the current sensor model: for each position a profile can store, the
// DPI value (as DPI / 50) the program shows and the 16-bit code the DpiLevels command
// sends, plus two flags the main window reads. Built at start-up and again when the mouse
// reports another sensor. Before the first successful build it has no positions and both
// flags are false.
class DpiStepTable {
public:
    // Fills the table for `model`. An unknown model changes nothing (table, flags and
    // Model() stay as they were) and returns false.
    [[nodiscard]] bool Build(std::uint16_t model);

    [[nodiscard]] std::size_t PositionCount() const { return m_dpiDividedBy50.size(); }

    // A position at or beyond PositionCount() reads as the last position (0 for an empty
    // table). A profile stored under another sensor model may hold such positions until it
    // is reset; clamping keeps every read inside the table and still sends a code the
    // current sensor accepts (its largest step) instead of a value it never defined.
    [[nodiscard]] std::uint32_t DpiDividedBy50(std::size_t position) const;
    [[nodiscard]] std::uint16_t DeviceCode(std::size_t position) const;

    // The lift-off distance section of the main window is shown.
    [[nodiscard]] bool LiftOptionShown() const { return m_liftOptionShown; }
    // The DPI bars open the dialog with separate X and Y values (true) or the one-value
    // dialog (false). Models 0x3205 and 0x3212 keep the previous value.
    [[nodiscard]] bool DpiSyncDialog() const { return m_dpiSyncDialog; }
    // The model of the last successful build, 0 before the first.
    [[nodiscard]] std::uint16_t Model() const { return m_model; }

private:
    std::vector<std::uint32_t> m_dpiDividedBy50;
    std::vector<std::uint16_t> m_deviceCodes;
    bool m_liftOptionShown = false;
    bool m_dpiSyncDialog = false;
    std::uint16_t m_model = 0;
};
