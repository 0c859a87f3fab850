#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinFrameSet.h"

// A radio button of one of the process-wide groups (UiState::RadioSelection): its click
// selects its bit and clears the others of its group. Ids outside the groups only notify.
class CRadioButton : public CControlBase {
public:
    CRadioButton(CMessageWindow* parent, int id, const UiRect& rect, QString caption = {},
                 ControlFlags flags = {});

    bool SetImages(const QString& normal, const QString& hover, const QString& selected);
    bool SetStripImage(const QString& name, int frameWidth);

    [[nodiscard]] bool IsSelected() const;
    [[nodiscard]] int FrameIndex() const;

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    void AddAccessibleState(QAccessible::State& state) const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    SkinFrameSet m_frames;
};
