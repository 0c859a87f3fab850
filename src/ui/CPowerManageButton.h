#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinImage.h"

#include <array>

// The power-down dial (id 3500): a half disc of eight wedges; a click on wedge k selects
// k + 1 and shows that selection's picture over the whole control. A point on the edge
// between two wedges belongs to the lower-numbered one.
class CPowerManageButton : public CControlBase {
public:
    static constexpr int kWedgeCount = 8;
    static constexpr int kImageCount = 10;

    CPowerManageButton(CMessageWindow* parent, const UiRect& rect, QString caption = {},
                       ControlFlags flags = {});

    // Picture of selection 1..10.
    bool SetSelectionImage(int selection, const QString& name);
    void SetSelection(int selection) { m_selection = selection; }
    [[nodiscard]] int Selection() const { return m_selection; }

    // Wedge 0..7 containing the point (the first in order), or -1.
    [[nodiscard]] int WedgeAt(QPoint point) const;
    // Corner k (0..2) of wedge w, in client pixels.
    [[nodiscard]] QPoint WedgeCorner(int wedge, int corner) const;

    void SetRect(int left, int top, int right, int bottom) override;
    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    [[nodiscard]] std::optional<AccessibleRange> AccessibleValue() const override;
    [[nodiscard]] std::optional<QPoint> PointForValue(int value) const override;
    [[nodiscard]] QPoint ClickPoint() const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    void BuildWedges();

    int m_selection = 6;
    std::array<SkinImage, kImageCount> m_images;
    std::array<std::array<QPoint, 3>, kWedgeCount> m_wedges{};
};
