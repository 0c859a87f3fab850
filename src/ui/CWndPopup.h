#pragma once

#include "ui/AccessibleItem.h"
#include "ui/CMessageWindow.h"
#include "ui/SkinImage.h"

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <optional>

// Base of the drop-down lists and menus: a borderless top-most tool window placed at a
// screen position next to the control that opened it, painted from an off-screen image.
// It takes neither the focus nor the pointer, so several popups can be open together and
// each gets the pointer while it is over it. It reports the user's choice to its parent
// window with messages, reports its dismissal (a press outside every open popup, the
// program losing the activation, or the window system closing it) exactly once with the
// message of its kind, and tells the parent Msg::kPopupClosed when it closes.
class CWndPopup : public CMessageWindow {
public:
    CWndPopup();
    ~CWndPopup() override;

    // Places the popup at the screen rectangle as a child of parent, builds and paints
    // it, and shows it. Returns 0 on success.
    int Create(CMessageWindow* parent, const UiRect& screenRect, int styleValue, int ownerValue);

    // SendMessage to the parent window; false when there is none.
    bool SendToParent(UiMessage message, WParam wParam, LParam lParam);
    // Loads the embedded check image; false (and size 0) when it is missing.
    bool LoadCheckImage();

    void SetKind(int kind) { m_kind = kind; }
    [[nodiscard]] int Kind() const { return m_kind; }
    [[nodiscard]] int OwnerValue() const { return m_ownerValue; }
    [[nodiscard]] int StyleValue() const { return m_styleValue; }
    [[nodiscard]] bool IsButtonDown() const { return m_buttonDown; }
    // The pointer is over the popup: set by its first move, cleared when it leaves. The
    // owner reads it to tell whether the pointer went from a list to its sub-list.
    [[nodiscard]] bool IsTracking() const { return m_tracking; }
    // A hover notice is due once the pointer has rested (once per entry).
    [[nodiscard]] bool IsHoverPending() const { return m_hoverTimer.isActive(); }
    [[nodiscard]] bool IsDismissed() const { return m_dismissed; }

    // Sends the dismissal message once and steps aside until the parent closes it.
    void Dismiss();

    // The message a popup of this kind sends when it is dismissed; none for kinds
    // outside the table.
    [[nodiscard]] static std::optional<UiMessage> DismissalMessage(int kind);

    // The entries as assistive technology and the keyboard see them.
    [[nodiscard]] virtual int AccessibleItemCount() const;
    [[nodiscard]] virtual AccessibleItem AccessibleItemAt(int index) const;
    // The pointer comes onto the entry, as a mouse would: it becomes hot and a sub-list
    // entry opens its sub-list.
    void HoverItem(int index);
    // A click on the entry through the same steps as the mouse's: hover, press, release.
    void ClickItem(int index);
    // The keyboard while the popup is the one its window opened last: Up and Down move
    // over the entries (a sub-list entry opens its sub-list as the pointer would), Space
    // and Enter click the entry, Escape and Left dismiss the popup. True when used.
    bool HandleKey(int key);

    // Repaints the off-screen image and shows it.
    void Render();
    [[nodiscard]] const QPixmap& OffscreenImage() const { return m_image; }

protected:
    virtual void DrawItems(QPainter& painter, const UiRect& client);
    virtual void DrawPart(QPainter& painter, const UiRect& client);
    // Builds the item list and sizes the window.
    virtual void OnInit();
    virtual bool OnHover(int x, int y);
    virtual bool OnPress(int x, int y);
    // A subclass sends its result from here.
    virtual bool OnRelease(int x, int y);
    virtual bool OnRightRelease(int x, int y);

    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    SkinImage m_checkImage;
    QFont m_font;

private:
    // The pointer rested in the popup for the hover time: the hot item follows it.
    void OnHoverTimer();

    // How long the pointer must rest before the hover notice, once per entry.
    static constexpr int kHoverMilliseconds = 50;

    QPointer<CMessageWindow> m_parentWindow;
    bool m_tracking = false;
    QTimer m_hoverTimer;
    bool m_buttonDown = false;
    bool m_captured = false;
    int m_screenX = 0;
    int m_screenY = 0;
    int m_styleValue = 0;
    int m_ownerValue = 0;
    int m_kind = -1;
    bool m_dismissed = false;
    bool m_closing = false;
    QPixmap m_image;
};
