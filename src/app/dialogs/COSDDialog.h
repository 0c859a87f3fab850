#pragma once

#include "app/dialogs/OsdTexts.h"

#include <QWidget>

// The on-screen display: a small translucent window in the bottom-right corner of the
// work area that shows the current DPI level, its DPI value and the polling rate. It is
// a tool-tip window that never takes the focus, the activation or the mouse from the
// program the user is in, and stays above other windows.
class COSDDialog : public QWidget {
public:
    static constexpr int kDesignWidth = 180;
    static constexpr int kDesignHeight = 140;
    // Alpha of the whole window (of 255).
    static constexpr int kAlpha = 128;
    // 0x00BBGGRR, as every skin colour.
    static constexpr std::uint32_t kFillColorRef = 0xA449A4;

    explicit COSDDialog(QWidget* owner);

    // The window flags on a windowing platform ("xcb", "wayland", "windows", ...). A
    // tool-tip window is placed where we ask and stays above everything; Wayland places
    // tool-tip windows only next to a visible parent, which a main window hidden in the
    // tray is not, so there it is a tool window that the compositor places.
    [[nodiscard]] static Qt::WindowFlags WindowFlagsFor(const QString& platformName);

    // Sizes the window to 180 x 140 x UiScale and puts it at the bottom-right corner of
    // the work area of the owner's screen (the primary screen without an owner).
    void PlaceOnOwnersScreen();

    // Stores the texts and repaints the whole window.
    void SetTexts(const OsdTexts& texts);
    [[nodiscard]] const OsdTexts& Texts() const { return m_texts; }

    // Left edge (design units) of the value line: longer values start further left, and
    // the Chinese face, whose digits are narrower, shifts them less.
    [[nodiscard]] static int ValueLeft(const QString& value, bool chineseFace);
    // Left edge (design units) of the rate line.
    [[nodiscard]] static int RateLeft(const QString& rate);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OsdTexts m_texts;
};
