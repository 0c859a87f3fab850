#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinFrameSet.h"

// The button that opens a drop-down list. Entering, leaving and clicking are reported
// with its own notify message (wParam = its id); the press with its id. While locked it
// reports nothing; while its popup is open it is drawn as hovered.
class CComboButton : public CControlBase {
public:
    // Code-4 reports per entry: the first moves inside report, then it goes quiet
    // until the pointer leaves and comes back.
    static constexpr int kEnterReports = 5;

    CComboButton(CMessageWindow* parent, UiMessage notifyMessage, int id, const UiRect& rect,
                 unsigned format, QString caption = {}, ControlFlags flags = {},
                 QString displayedText = {});

    bool SetStripImage(const QString& name, int frameWidth);
    bool SetImages(const QString& normal, const QString& hover);
    void SetTextMargins(int left, int right);
    // The shown text; repaints the button.
    void SetText(const QString& text);
    [[nodiscard]] QString Text() const { return m_text; }

    void SetOpen(bool open) { m_open = open; }
    [[nodiscard]] bool IsOpen() const { return m_open; }
    void SetLocked(bool locked) { m_locked = locked; }
    [[nodiscard]] bool IsLocked() const { return m_locked; }
    void SetShowDisabledText(bool show) { m_showDisabledText = show; }
    [[nodiscard]] UiMessage NotifyMessage() const { return m_notifyMessage; }

    // Frame drawn for the current state (strip look).
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
    UiMessage m_notifyMessage;
    unsigned m_format;
    QString m_text;
    SkinFrameSet m_frames;
    bool m_open = false;
    bool m_locked = false;
    bool m_showDisabledText = false;
    int m_marginLeft = 0;
    int m_marginRight = 0;
    int m_enterCount = 0;
    bool m_entered = false;
    // Starts set: a pointer that was never inside has nothing to report on leaving.
    bool m_left = true;
};
