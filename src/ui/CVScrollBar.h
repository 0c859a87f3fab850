#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinImage.h"

// A vertical scroll bar: arrows at both ends (embedded images, three frames each), a
// track between them and a thumb sized by page / range. A press reports which part was
// hit (code 1 with the part in wParam); dragging the thumb reports position changes
// (code 3); the release reports code 2.
class CVScrollBar : public CControlBase {
public:
    CVScrollBar(CMessageWindow* parent, int id, const UiRect& rect, QString caption = {},
                ControlFlags flags = {});

    // Loads the embedded arrow images (done by the constructor).
    void LoadArrowImages();
    void SetScrollInfo(int position, int page, int range);
    [[nodiscard]] int GetPos() const { return m_position; }
    [[nodiscard]] int TrackTop() const { return m_trackTop; }
    [[nodiscard]] int TrackBottom() const { return m_trackBottom; }
    [[nodiscard]] UiRect ThumbRect() const { return m_thumb; }
    [[nodiscard]] bool IsDragging() const { return m_dragging; }

    void SetRect(int left, int top, int right, int bottom) override;
    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    [[nodiscard]] std::optional<AccessibleRange> AccessibleValue() const override;
    [[nodiscard]] std::optional<QPoint> StepPoint(int direction) const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    void UpdateTrack();
    [[nodiscard]] int ArrowHeight(const SkinImage& image) const;

    SkinImage m_upArrow;
    SkinImage m_downArrow;
    bool m_upHover = false;
    bool m_downHover = false;
    bool m_thumbHover = false;
    int m_trackTop = 0;
    int m_trackBottom = 0;
    UiRect m_thumb;
    int m_position = 0;
    int m_page = 0;
    int m_range = 0;
    bool m_dragging = false;
    int m_dragOffset = 0;
};
