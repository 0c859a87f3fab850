#pragma once

#include "ui/CMessageWindow.h"
#include "ui/PackedPicture.h"
#include "ui/UiRect.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CControlBase;
class CWndPopup;
class QEventLoop;
class QSinglePointEvent;

// What a dialog's run ends with.
namespace DialogResult {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
}  // namespace DialogResult

// Secondary dialogs enter OpenDialogList when they initialise; the main window does not.
enum class DialogRole { Secondary, Main };

// Base of every skinned window but the popups: a frameless top-level window that owns
// windowless controls in ten layers, paints them double-buffered over a background that
// is scaled once, and routes the mouse to them (hot control, pressed control, capture,
// double clicks, right clicks to layer 0). A press on the background drags the window.
// A derived dialog paints its background (DrawBackground, which ends by calling
// DrawControls) and creates its controls (CreateControls).
class CDlgBase : public CMessageWindow {
public:
    static constexpr int kLayerCount = 10;
    static constexpr int kPopupSlotCount = 11;
    // The main window's design size: the source rectangle of every scaled background.
    static constexpr int kBackgroundSourceWidth = 1127;
    static constexpr int kBackgroundSourceHeight = 740;

    explicit CDlgBase(QWidget* parent = nullptr);
    ~CDlgBase() override;

    // Runs OnInitDialog once: size, title, icon, controls, centred placement. A secondary
    // dialog then enters OpenDialogList.
    bool InitDialog();

    // Shows the dialog window-modal over its owner (application-modal without one) and
    // runs a nested event loop until EndDialog; posted tasks, device results and timers
    // keep being processed meanwhile. Returns the result EndDialog was given, cancel when
    // the dialog was destroyed while running.
    int DoModal();
    // Ends the dialog: hides it, leaves OpenDialogList and ends a running DoModal.
    void EndDialog(int result);
    [[nodiscard]] bool IsModalRunning() const { return m_modalLoop != nullptr; }
    [[nodiscard]] bool IsEnded() const { return m_ended; }
    [[nodiscard]] int Result() const { return m_result; }
    void SetDialogRole(DialogRole role) { m_role = role; }
    [[nodiscard]] DialogRole Role() const { return m_role; }

    // Runs `command` right after the next paint of the window, outside the paint: work
    // chosen in a popup or menu that may open a modal or file dialog. Commands keep the
    // order they were given in. A hidden window, which will not paint, posts at once.
    void PostAfterNextPaint(std::function<void()> command);

    // The first control with this id, searching layer 0 first; null when none.
    [[nodiscard]] CControlBase* GetControl(int id) const;
    // Frees the images of every control, before the dialog closes.
    void ReleaseAllImages();

    void BuildBackground(const QImage& bitmap);
    bool SetBackgroundFromFile(const QString& path);
    // Loads an image file (skin folder name or path); false and an empty image on failure.
    static bool LoadBitmapFromFile(const QString& path, QImage& bitmap, QSize& size);

    // Popups opened by this dialog. ClosePopup asks the popup in slot k to close (if it
    // still exists) and forgets it.
    void SetPopup(int slot, CWndPopup* popup);
    [[nodiscard]] CWndPopup* Popup(int slot) const;
    // The shown popup this dialog opened last; null when none.
    [[nodiscard]] CWndPopup* LatestPopup() const;
    void ClosePopup(int slot);

    // Appends a control to a layer; the dialog owns it from now on.
    template <class Control>
    Control* AddControl(int layer, std::unique_ptr<Control> control)
    {
        Control* raw = control.get();
        AppendControl(layer, std::move(control));
        return raw;
    }
    [[nodiscard]] const std::vector<std::unique_ptr<CControlBase>>& Layer(int layer) const;

    void SetFrameSize(int width, int height);
    [[nodiscard]] int FrameWidth() const { return m_frameWidth; }
    [[nodiscard]] int FrameHeight() const { return m_frameHeight; }
    [[nodiscard]] std::uint32_t AverageBackgroundColor() const { return m_averageBackgroundColor; }
    [[nodiscard]] int BackgroundMargin() const { return m_backgroundMargin; }
    [[nodiscard]] QSize ScaledBackgroundSize() const;
    // Whether the background is held packed (after the first paint, see PackBackground).
    [[nodiscard]] bool BackgroundIsPacked() const { return !m_packedBackground.IsNull(); }
    [[nodiscard]] const QFont& DialogFont() const { return m_dialogFont; }

    // Routing state, for windows that act on it and for tests.
    [[nodiscard]] CControlBase* HotControl() const { return m_hotControl; }
    [[nodiscard]] CControlBase* PressedControl() const { return m_pressedControl; }
    [[nodiscard]] UiRect PressRect() const { return m_pressRect; }
    [[nodiscard]] QPoint LastMousePosition() const { return m_lastMousePosition; }
    [[nodiscard]] bool IsLeftButtonDown() const { return m_leftButtonDown; }
    [[nodiscard]] bool IsDoubleClick() const { return m_doubleClick; }
    [[nodiscard]] bool IsTracking() const { return m_tracking; }

    // A click on a control through the same routing as the mouse's (hover, press,
    // release at `point`), for assistive technology and the keyboard. The control then
    // drops its hover look unless the pointer is really over it. False when the control
    // is not eligible or a mouse press is under way.
    bool ClickControl(CControlBase* control, QPoint point);
    // The control the keyboard acts on; null when none (or an edit box has the focus).
    [[nodiscard]] CControlBase* FocusControl() const { return m_focusControl; }
    void SetFocusControl(CControlBase* control);
    // The focus stops in reading order: the shown, enabled controls that can be acted
    // on, and the edit boxes.
    struct FocusStop {
        CControlBase* control = nullptr;
        QWidget* widget = nullptr;
    };
    [[nodiscard]] std::vector<FocusStop> FocusStops() const;

    // Ids whose click changes so much of the main window that all of it is repainted.
    [[nodiscard]] static bool IsFullRepaintId(int id);

protected:
    virtual bool OnInitDialog();
    // The platform dialog's OK and cancel: end the dialog with that result.
    virtual void OnOK();
    virtual void OnCancel();
    // Every key press of the dialog and of its edit boxes comes here first, except Enter
    // and Space while a push button has the focus (they press it); true consumes it.
    // Unconsumed, Enter is OK and Escape is cancel in a secondary dialog, as on a platform
    // dialog; a main window leaves them alone.
    virtual bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // The wheel over the dialog: delta in notches of 120, client point. True when handled.
    virtual bool OnMouseWheel(unsigned flags, int delta, QPoint point);
    // Paints the whole client area into painter and then calls DrawControls.
    virtual void DrawBackground(QPainter& painter, const UiRect& clip) = 0;
    // Draws layers 0..9, each in insertion order, skipping hidden controls and those
    // outside clip.
    virtual void DrawControls(QPainter& painter, const UiRect& clip);
    virtual void CreateControls(int left, int top, int right, int bottom) = 0;

    // Draws the background made by BuildBackground at the client origin.
    void DrawScaledBackground(QPainter& painter) const;
    // Starts moving the window with the pointer; returns whether the window system
    // took over. Without it the dialog moves itself while the button is held.
    virtual bool BeginWindowMove(QPoint globalPosition);

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Key presses of child edit boxes pass through the dialog first.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab and Shift+Tab are the dialog's own, also from its edit boxes.
    bool focusNextPrevChild(bool next) override;

    // The routing steps, one per mouse message.
    void RouteMouseMove(unsigned flags, QPoint point);
    void RouteMouseHover(QPoint cursor);
    void RouteMouseLeave(QPoint cursor);
    void RouteLButtonDown(unsigned flags, QPoint point, QPoint globalPoint);
    void RouteLButtonUp(unsigned flags, QPoint point);
    void RouteLButtonDblClk(unsigned flags, QPoint point);
    void RouteRButtonUp(unsigned flags, QPoint point);

    int m_controlsCreated = 0;

    // A focused push button's Enter or Space, then pre-translation, then the keyboard's
    // moves and presses, then Enter as OK and Escape as cancel; true when the key was used.
    bool HandleDialogKey(int key, Qt::KeyboardModifiers modifiers);

private:
    void AppendControl(int layer, std::unique_ptr<CControlBase> control);
    [[nodiscard]] static bool IsEligible(const CControlBase* control);
    [[nodiscard]] static unsigned FlagsOf(const QSinglePointEvent* event);
    void RebuildScaledBackground();
    // Once the window has been painted whole, a background that is its own scaled copy is
    // kept packed instead of as plain pixels (see PackedPicture).
    void PackBackground();
    // Enter or Space while a push button has the focus: the button is clicked.
    bool PressFocusedButton(int key, Qt::KeyboardModifiers modifiers);
    // Tab and Shift+Tab, Space, and the arrows on sliders, radio groups and lists.
    bool HandleNavigationKey(int key, Qt::KeyboardModifiers modifiers);
    void MoveFocus(int direction);
    // An arrow on a radio button: the next radio button in reading order is focused and
    // clicked, when there is one next to it.
    bool MoveInRadioGroup(int direction);
    void DrawFocusRing(QPainter& painter) const;
    [[nodiscard]] UiRect FocusRingRect() const;

    int m_frameWidth = 2254;
    int m_frameHeight = 1480;
    std::uint32_t m_averageBackgroundColor = 0x00EFE2BA;
    QFont m_dialogFont;
    QImage m_backgroundSource;  // null while m_scaledBackground is the source itself
    int m_backgroundWidth = 100;
    int m_backgroundHeight = 100;
    QPixmap m_scaledBackground;
    // The scaled copy, packed after the first paint; m_scaledBackground is then null.
    PackedPicture m_packedBackground;
    bool m_packQueued = false;
    int m_backgroundMargin = 0;
    bool m_initialised = false;
    DialogRole m_role = DialogRole::Secondary;
    QEventLoop* m_modalLoop = nullptr;
    bool m_ended = false;
    int m_result = DialogResult::kCancel;
    std::vector<std::function<void()>> m_afterPaint;
    bool m_tracking = false;
    bool m_leftButtonDown = false;
    UiRect m_pressRect = UiRect::None();
    bool m_doubleClick = false;
    bool m_captured = false;
    QPoint m_lastMousePosition{-1, -1};
    std::array<std::vector<std::unique_ptr<CControlBase>>, kLayerCount> m_layers;
    CControlBase* m_hotControl = nullptr;
    CControlBase* m_pressedControl = nullptr;
    std::array<QPointer<CWndPopup>, kPopupSlotCount> m_popups;
    std::array<bool, kPopupSlotCount> m_popupSet{};
    std::array<unsigned, kPopupSlotCount> m_popupOrder{};  // when each slot was last set
    unsigned m_popupCount = 0;

    QTimer m_hoverTimer;           // hover notification after the pointer comes in
    CControlBase* m_focusControl = nullptr;
    bool m_movingByHand = false;   // background drag without the window system's help
    QPoint m_moveOffset;
};
