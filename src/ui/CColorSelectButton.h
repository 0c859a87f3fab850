#pragma once

#include "ui/CControlBase.h"

#include <cstdint>

// A colour swatch that behaves as a push button. The swatch rectangle is given apart
// from the control rectangle.
class CColorSelectButton : public CControlBase {
public:
    CColorSelectButton(CMessageWindow* parent, int id, const UiRect& rect, const UiRect& swatch,
                       QString caption = {}, ControlFlags flags = {});

    // 0x00BBGGRR.
    void SetColor(std::uint32_t colorRef);
    [[nodiscard]] std::uint32_t Color() const { return m_color; }
    [[nodiscard]] UiRect Swatch() const { return m_swatch; }

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QString AccessibleName() const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;

private:
    UiRect m_swatch;
    std::uint32_t m_color = 0x00FF00;
};
