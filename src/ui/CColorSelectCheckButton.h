#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinFrameSet.h"

#include <cstdint>

// A colour slot: a selection frame (unchecked or checked look) with the colour filled
// inside it, 3 design units in from the swatch rectangle. Double click notifies code 10.
class CColorSelectCheckButton : public CControlBase {
public:
    CColorSelectCheckButton(CMessageWindow* parent, int id, const UiRect& rect,
                            const UiRect& swatch, QString caption = {}, ControlFlags flags = {});

    bool SetImages(const QString& unchecked, const QString& checked);
    bool SetStripImage(const QString& name, int frameWidth);
    void SetColor(std::uint32_t colorRef);
    [[nodiscard]] std::uint32_t Color() const { return m_color; }
    void SetChecked(bool checked) { m_checked = checked; }
    [[nodiscard]] bool IsChecked() const { return m_checked; }
    [[nodiscard]] UiRect Swatch() const { return m_swatch; }

    // The swatch moves with the slot.
    void SetRect(int left, int top, int right, int bottom) override;
    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    void AddAccessibleState(QAccessible::State& state) const override;
    [[nodiscard]] QString AccessibleName() const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    bool OnLButtonDblClk(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    SkinFrameSet m_frames;
    UiRect m_swatch;
    std::uint32_t m_color = 0x00FF00;
    bool m_checked = false;
};
