#pragma once

#include "app/dialogs/PalettePicker.h"
#include "ui/dialogs/CAppDialog.h"

#include <array>
#include <cstdint>

class CStaticText;
struct Profile;

// What a palette colour is picked for.
enum class PaletteTarget {
    LightingColor = 0,  // a lighting colour slot
    DpiLevelColor = 1,  // a DPI level's indicator colour
};

// Picks a colour from the palette picture. A press on a colour of the picture makes it
// the current colour (shown in the swatch and as red, green and blue numbers); the
// picture's background picks nothing. OK (or Enter) stores it: a lighting colour into
// modes 3 and 6 of its slot, a DPI level colour into that level.
class CColorPaletteDlg : public CAppDialog {
public:
    static constexpr int kDesignWidth = 500;
    static constexpr int kDesignHeight = 291;
    static constexpr int kIdRed = 2011;
    static constexpr int kIdGreen = 2012;
    static constexpr int kIdBlue = 2013;
    // The lighting modes a picked lighting colour is stored in, whatever mode is current.
    static constexpr std::array<std::size_t, 2> kStoredLightingModes = {3, 6};

    // number: the lighting mode (lighting colour) or the DPI level (level colour); slot:
    // the lighting colour slot.
    CColorPaletteDlg(const LanguageTexts& texts, Profile& profile, PaletteTarget target, int number, int slot,
                     QWidget* parent = nullptr);

    // 0x00BBGGRR.
    [[nodiscard]] std::uint32_t CurrentColor() const { return m_color; }

protected:
    void CreateControls(int left, int top, int right, int bottom) override;
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    void OnOkClicked() override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ShowColorNumbers();
    // The level a DPI colour belongs to (beyond the eighth level, the first).
    [[nodiscard]] std::size_t DpiLevel() const;

    Profile& m_profile;
    PaletteTarget m_target;
    int m_number;
    int m_slot;
    std::uint32_t m_color = 0;
    PalettePicker m_picker;
    std::array<CStaticText*, 3> m_numbers{};
};
