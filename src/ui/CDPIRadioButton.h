#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinFrameSet.h"
#include "ui/SkinPainter.h"

// The button of DPI level n (id 3290 + n - 1). Its click lights levels 1..n in
// UiState::DpiLevelMask; it shows its level's DPI (value x 50) in a band along its top.
// Pointer and press change only its look: it notifies nothing but the click.
class CDPIRadioButton : public CControlBase {
public:
    CDPIRadioButton(CMessageWindow* parent, int id, const UiRect& rect, QString caption = {},
                    ControlFlags flags = {});

    bool SetImages(const QString& normal, const QString& hover, const QString& selected);
    bool SetStripImage(const QString& name, int frameWidth);
    // The level's DPI in steps of 50.
    void SetDpiValue(int value) { m_dpiValue = value; }
    [[nodiscard]] int DpiValue() const { return m_dpiValue; }
    // The value's colour: the main window marks the current level's button with its own.
    void SetTextColor(std::uint32_t colorRef) { m_textColor = colorRef; }
    [[nodiscard]] std::uint32_t TextColor() const { return m_textColor; }

    // Level 1..8 of this button; 0 for an id outside 3290..3297.
    [[nodiscard]] int Level() const;
    [[nodiscard]] bool IsLit() const;
    [[nodiscard]] int FrameIndex() const;

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    void AddAccessibleState(QAccessible::State& state) const override;
    [[nodiscard]] QString AccessibleName() const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    SkinFrameSet m_frames;
    int m_dpiValue = 0;
    std::uint32_t m_textColor = SkinColor::kNormalText;
};
