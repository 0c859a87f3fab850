#pragma once

#include "ui/AccessibleItem.h"
#include "ui/UiMessages.h"
#include "ui/UiRect.h"

#include <QAccessible>
#include <QFont>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <optional>

class CMessageWindow;
class QPainter;

// Look state of the button family.
enum class ButtonState : int { Normal = 0, Hover = 1, Pressed = 2 };

// Visibility and interactivity flags every control takes at construction.
struct ControlFlags {
    bool visible = true;
    bool shown = true;
    bool disabled = false;
};

// A windowless control: a rectangle in its dialog's client area, drawn into the dialog's
// off-screen image and fed with mouse calls by the dialog. It reports to its window with
// SendMessage(id, wParam, code). Mouse calls return true when the look changed and the
// control's rectangle needs repainting.
class CControlBase {
public:
    CControlBase(CMessageWindow* parent, int id, const UiRect& rect, QString caption,
                 ControlFlags flags);
    virtual ~CControlBase();
    CControlBase(const CControlBase&) = delete;
    CControlBase& operator=(const CControlBase&) = delete;

    virtual void Draw(QPainter& painter, const UiRect& clip) = 0;
    // Called by the dialog with 0 when a pressed control loses its press.
    virtual int CancelPress(int reason);

    virtual void SetRect(int left, int top, int right, int bottom);
    [[nodiscard]] virtual UiRect GetRect() const;
    // Stores a different caption and repaints the control.
    virtual void SetCaption(const QString& caption);
    [[nodiscard]] virtual QString GetCaption() const;
    virtual void SetVisible(bool visible);
    virtual void SetShown(bool shown);

    virtual bool OnMouseMove(unsigned flags, QPoint point);
    virtual bool OnLButtonDown(unsigned flags, QPoint point);
    virtual bool OnLButtonUp(unsigned flags, QPoint point);
    virtual bool OnRButtonUp(unsigned flags, QPoint point);
    virtual bool OnLButtonDblClk(unsigned flags, QPoint point);

    // Frees the control's images; it then draws without them.
    virtual void ReleaseImages();

    // What assistive technology and the keyboard see of the control. These are read only
    // while assistive technology listens or a key moves the focus; acting on a control
    // always goes through its window's click routing (CDlgBase::ClickControl).
    [[nodiscard]] virtual QAccessible::Role AccessibleRole() const;
    // The name set for the control, else its caption.
    [[nodiscard]] virtual QString AccessibleName() const;
    // Adds the class's own states (checked, expanded, ...) to the common ones.
    virtual void AddAccessibleState(QAccessible::State& state) const;
    [[nodiscard]] virtual std::optional<AccessibleRange> AccessibleValue() const;
    // Where a click lands that gives the control this value; none when a click cannot.
    [[nodiscard]] virtual std::optional<QPoint> PointForValue(int value) const;
    // Where a click lands that moves the value one step up (+1) or down (-1).
    [[nodiscard]] virtual std::optional<QPoint> StepPoint(int direction) const;
    // Where a press lands: the centre of the rectangle unless the class knows better.
    [[nodiscard]] virtual QPoint ClickPoint() const;
    // The rows of a list control; none for other controls.
    [[nodiscard]] virtual int AccessibleItemCount() const;
    [[nodiscard]] virtual AccessibleItem AccessibleItemAt(int index) const;
    // Scrolls the row into view and returns where a click selects it.
    virtual std::optional<QPoint> RevealItem(int index);
    // The row a key press moves from; -1 for none.
    [[nodiscard]] virtual int CurrentItem() const;
    // Names an image-only control, or replaces what its caption says.
    void SetAccessibleName(const QString& name) { m_accessibleName = name; }
    // A window that uses a control for another purpose (a disabled check button as a
    // title) gives it the role of that purpose.
    void SetAccessibleRole(QAccessible::Role role) { m_accessibleRole = role; }
    // Shown, not disabled, and of a role that can be acted on: a keyboard focus stop.
    [[nodiscard]] bool IsFocusable() const;

    [[nodiscard]] int GetId() const { return m_id; }
    [[nodiscard]] bool IsVisible() const { return m_visible; }
    [[nodiscard]] bool IsShown() const { return m_shown; }
    [[nodiscard]] bool IsDisabled() const { return m_disabled; }
    [[nodiscard]] bool IsEnabled() const { return m_enabled; }
    void SetDisabled(bool disabled) { m_disabled = disabled; }
    [[nodiscard]] ButtonState GetState() const { return m_state; }
    // Sets the look state without notifying (refresh from outside).
    void SetState(ButtonState state) { m_state = state; }
    [[nodiscard]] CMessageWindow* Parent() const { return m_parent; }
    [[nodiscard]] const QFont& Font() const { return m_font; }
    // A face of the window's own instead of the language's control font (static texts,
    // DPI radio buttons and link buttons take one where a window names it).
    void SetFont(const QFont& font) { m_font = font; }

protected:
    // Sends (id, wParam, code) to the window; 0 when there is none.
    LResult Notify(WParam wParam, LParam code);
    LResult NotifyWith(UiMessage message, WParam wParam, LParam code);
    void Invalidate();

    // The common button behaviour. Hover: unless pressed, hover inside and normal
    // outside. Press: pressed inside, notifying code 1. Release: inside, hover, the click
    // action, code 2 with clickWParam; outside, normal. Each returns whether the state
    // changed, read after the window's handler ran.
    bool CommonMouseMove(QPoint point);
    bool CommonLButtonDown(QPoint point);
    template <class ClickAction>
    bool CommonLButtonUp(QPoint point, ClickAction&& clickAction, WParam clickWParam = 0)
    {
        if (m_disabled)
            return false;
        const ButtonState old = m_state;
        if (m_rect.Contains(point)) {
            m_state = ButtonState::Hover;
            clickAction();
            Notify(clickWParam, NotifyCode::kClick);
        } else {
            m_state = ButtonState::Normal;
        }
        return m_state != old;
    }
    [[nodiscard]] int StateIndex() const { return static_cast<int>(m_state); }

    int m_id;
    UiRect m_rect;
    bool m_visible;
    bool m_shown;
    bool m_disabled;
    bool m_enabled = true;
    QString m_caption;
    CMessageWindow* m_parent;
    QFont m_font;
    ButtonState m_state = ButtonState::Normal;

private:
    QString m_accessibleName;
    std::optional<QAccessible::Role> m_accessibleRole;
};
