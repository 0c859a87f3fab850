#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinImage.h"

#include <vector>

// A horizontal slider with n fixed steps. The thumb snaps to the nearest step on
// release and reports every drag move (code 3, wParam = step index). Its track is a
// separate static image placed under it.
class CSliderControl : public CControlBase {
public:
    // Pads are pixels (already scaled) between the control's edges and the end steps.
    CSliderControl(CMessageWindow* parent, int id, const UiRect& rect, int stepCount, int leftPad,
                   int rightPad, QString caption = {}, ControlFlags flags = {});

    bool SetThumbImage(const QString& name);
    void SetStepCount(int stepCount);
    [[nodiscard]] int StepCount() const { return static_cast<int>(m_steps.size()); }
    [[nodiscard]] const std::vector<int>& Steps() const { return m_steps; }
    // Moves the thumb to a step without notifying.
    void SetPos(int index);
    [[nodiscard]] int GetPos() const { return m_index; }
    [[nodiscard]] int LastSentPos() const { return m_lastSent; }
    [[nodiscard]] bool IsDragging() const { return m_dragging; }
    [[nodiscard]] UiRect ThumbRect() const { return m_thumbRect; }
    // Left edge the thumb is drawn at.
    [[nodiscard]] int ThumbLeft() const;

    // The step whose half-way marks enclose x; a point on a mark goes up.
    [[nodiscard]] int NearestStep(int x) const;
    // Carries on a drag while the pointer is outside the slider; true while dragging.
    bool ContinueDrag(int x, int y);

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
    void BuildSteps(int stepCount);
    void DragTo(int x);

    SkinImage m_thumb;
    int m_leftPad;
    int m_rightPad;
    std::vector<int> m_steps;
    int m_index = 0;
    int m_lastSent = 0;
    bool m_dragging = false;
    int m_dragX = 0;
    UiRect m_thumbRect;
};
