#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinFrameSet.h"

// A profile tab (ids 2049..2053) or page tab (3001..3004, 3007..3009). Its click selects
// the tab in UiState (CurrentProfileTab or CurrentPage); a right click reports code 11
// with its id, for the profile menu. Must live in layer 0 to hear right clicks.
class CTabControl : public CControlBase {
public:
    CTabControl(CMessageWindow* parent, int id, const UiRect& rect, unsigned format,
                QString caption = {}, ControlFlags flags = {});

    // Normal, hover, selected, selected-and-hover.
    bool SetImages(const QString& normal, const QString& hover, const QString& selected,
                   const QString& selectedHover);
    bool SetStripImage(const QString& name, int frameWidth);
    void SetTextMargins(int left, int right);

    // Profile tab index 0..4, or -1 for other ids.
    [[nodiscard]] int ProfileIndex() const;
    [[nodiscard]] int FrameIndex() const;

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    void AddAccessibleState(QAccessible::State& state) const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    bool OnRButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    unsigned m_format;
    SkinFrameSet m_frames;
    int m_marginLeft = 0;
    int m_marginRight = 0;
};
