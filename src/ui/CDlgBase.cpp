#include "ui/CDlgBase.h"

#include "ui/CControlBase.h"
#include "ui/CWndPopup.h"
#include "ui/OpenDialogList.h"
#include "ui/ProgramIcon.h"
#include "ui/SkinImage.h"
#include "ui/ToolkitAccessibility.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

constexpr int kPageAndProfileTabs[] = {3001, 3002, 3003, 3004, 3007, 3008, 3009,
                                       2049, 2050, 2051, 2052, 2053};
const QString kWindowTitle = QStringLiteral("Gaming Mouse");
constexpr int kBackgroundMarginLimit = 100;

}  // namespace

CDlgBase::CDlgBase(QWidget* parent)
    : CMessageWindow(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    ToolkitAccessibility::Install();
    m_hoverTimer.setSingleShot(true);
    QObject::connect(&m_hoverTimer, &QTimer::timeout, this,
                     [this] { RouteMouseHover(mapFromGlobal(QCursor::pos())); });
}

CDlgBase::~CDlgBase()
{
    OpenDialogList::Leave(this);
    if (m_modalLoop != nullptr)
        m_modalLoop->exit(DialogResult::kCancel);
    m_modalLoop = nullptr;
    m_hotControl = nullptr;
    m_pressedControl = nullptr;
}

bool CDlgBase::InitDialog()
{
    if (m_initialised)
        return true;
    m_initialised = true;
    const bool result = OnInitDialog();
    if (m_role == DialogRole::Secondary && !m_ended)
        OpenDialogList::Enter(this);
    return result;
}

// ---------------------------------------------------------------------------------------
// Modal runs

int CDlgBase::DoModal()
{
    m_ended = false;
    m_result = DialogResult::kCancel;
    InitDialog();
    // A dialog that ended during its initialisation never shows.
    if (m_ended)
        return m_result;
    if (m_role == DialogRole::Secondary)
        OpenDialogList::Enter(this);
    setWindowModality(parentWidget() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    show();
    raise();
    activateWindow();

    QPointer<CDlgBase> alive(this);
    QEventLoop loop;
    m_modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (alive.isNull())
        return DialogResult::kCancel;
    m_modalLoop = nullptr;
    return m_result;
}

void CDlgBase::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    OpenDialogList::Leave(this);
    hide();
    if (m_modalLoop != nullptr)
        m_modalLoop->exit(result);
}

void CDlgBase::OnOK()
{
    EndDialog(DialogResult::kOk);
}

void CDlgBase::OnCancel()
{
    EndDialog(DialogResult::kCancel);
}

void CDlgBase::closeEvent(QCloseEvent* event)
{
    // The close message ends a dialog as cancel does; one that refuses stays open.
    if (!m_ended)
        OnCancel();
    if (m_ended)
        event->accept();
    else
        event->ignore();
}

bool CDlgBase::PreTranslateKeyDown(int /*key*/, Qt::KeyboardModifiers /*modifiers*/)
{
    return false;
}

bool CDlgBase::HandleDialogKey(int key, Qt::KeyboardModifiers modifiers)
{
    // An open list takes the keys that choose from it; the window's own rules follow.
    if (CWndPopup* popup = LatestPopup(); popup != nullptr && popup->HandleKey(key))
        return true;
    // A button the keyboard rests on takes Enter and Space before the window's rules, so
    // that Enter on Cancel cancels; Enter is the dialog's OK only while no button has it.
    if (PressFocusedButton(key, modifiers))
        return true;
    if (PreTranslateKeyDown(key, modifiers))
        return true;
    if (HandleNavigationKey(key, modifiers))
        return true;
    // A main window is not ended by a stray key.
    if (m_role == DialogRole::Main)
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        OnOK();
        return true;
    }
    if (key == Qt::Key_Escape) {
        OnCancel();
        return true;
    }
    return false;
}

void CDlgBase::keyPressEvent(QKeyEvent* event)
{
    if (HandleDialogKey(event->key(), event->modifiers()))
        event->accept();
    else
        CMessageWindow::keyPressEvent(event);
}

bool CDlgBase::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (HandleDialogKey(key->key(), key->modifiers()))
            return true;
    }
    return CMessageWindow::eventFilter(watched, event);
}

bool CDlgBase::OnMouseWheel(unsigned /*flags*/, int /*delta*/, QPoint /*point*/)
{
    return false;
}

void CDlgBase::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0 && OnMouseWheel(FlagsOf(event), delta, event->position().toPoint()))
        event->accept();
    else
        event->ignore();
}

void CDlgBase::PostAfterNextPaint(std::function<void()> command)
{
    if (!command)
        return;
    if (!isVisible()) {
        QMetaObject::invokeMethod(this, std::move(command), Qt::QueuedConnection);
        return;
    }
    m_afterPaint.push_back(std::move(command));
    InvalidateAll();
}

bool CDlgBase::OnInitDialog()
{
    // One icon for the whole program, decoded once: windows without their own icon show
    // the application's.
    if (QGuiApplication::windowIcon().isNull())
        QGuiApplication::setWindowIcon(ProgramIcon::Make());
    setWindowTitle(kWindowTitle);
    m_dialogFont = UiFont::DialogFont();
    resize(m_frameWidth, m_frameHeight);
    CreateControls(0, 0, width(), height());

    QRect area;
    if (parentWidget() != nullptr)
        area = parentWidget()->window()->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (!area.isEmpty())
        move(area.center() - QPoint(width() / 2, height() / 2));
    return true;
}

void CDlgBase::AppendControl(int layer, std::unique_ptr<CControlBase> control)
{
    if (layer < 0 || layer >= kLayerCount || !control)
        return;
    m_layers[static_cast<std::size_t>(layer)].push_back(std::move(control));
}

const std::vector<std::unique_ptr<CControlBase>>& CDlgBase::Layer(int layer) const
{
    return m_layers[static_cast<std::size_t>(std::clamp(layer, 0, kLayerCount - 1))];
}

CControlBase* CDlgBase::GetControl(int id) const
{
    for (const auto& layer : m_layers) {
        for (const auto& control : layer) {
            if (control && control->GetId() == id)
                return control.get();
        }
    }
    return nullptr;
}

void CDlgBase::ReleaseAllImages()
{
    for (const auto& layer : m_layers) {
        for (const auto& control : layer) {
            if (control)
                control->ReleaseImages();
        }
    }
}

void CDlgBase::SetFrameSize(int width, int height)
{
    m_frameWidth = width;
    m_frameHeight = height;
}

bool CDlgBase::IsFullRepaintId(int id)
{
    return std::find(std::begin(kPageAndProfileTabs), std::end(kPageAndProfileTabs), id) !=
           std::end(kPageAndProfileTabs);
}

// ---------------------------------------------------------------------------------------
// Background

bool CDlgBase::LoadBitmapFromFile(const QString& path, QImage& bitmap, QSize& size)
{
    const QImage loaded = SkinImage::ReadFile(SkinImage::ResolvePath(path));
    if (loaded.isNull()) {
        bitmap = QImage();
        size = QSize();
        return false;
    }
    bitmap = loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    size = bitmap.size();
    return true;
}

bool CDlgBase::SetBackgroundFromFile(const QString& path)
{
    const QImage loaded = SkinImage::ReadFile(SkinImage::ResolvePath(path));
    if (loaded.isNull())
        return false;
    // Transparent pixels become opaque black, as on a plain bitmap.
    QImage opaque(loaded.size(), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, loaded);
    }
    m_backgroundWidth = opaque.width();
    m_backgroundHeight = opaque.height();
    BuildBackground(opaque);
    return true;
}

void CDlgBase::BuildBackground(const QImage& bitmap)
{
    if (!bitmap.isNull()) {
        m_backgroundWidth = bitmap.width();
        m_backgroundHeight = bitmap.height();
    }
    if (m_backgroundWidth >= m_frameWidth && m_backgroundHeight >= m_frameHeight)
        m_backgroundMargin = 0;
    else
        m_backgroundMargin =
            std::min({kBackgroundMarginLimit, m_backgroundWidth, m_backgroundHeight});
    if (bitmap.isNull())
        return;

    // Both formats keep 0xAARRGGBB words, which the sum reads without a converted copy.
    const QImage pixels = bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32
                              ? bitmap
                              : bitmap.convertToFormat(QImage::Format_ARGB32);
    std::uint64_t red = 0;
    std::uint64_t green = 0;
    std::uint64_t blue = 0;
    const int width = pixels.width();
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            red += static_cast<std::uint64_t>(qRed(row[x]));
            green += static_cast<std::uint64_t>(qGreen(row[x]));
            blue += static_cast<std::uint64_t>(qBlue(row[x]));
        }
    }
    const auto count = static_cast<std::uint64_t>(pixels.width()) *
                       static_cast<std::uint64_t>(pixels.height());
    m_averageBackgroundColor = static_cast<std::uint32_t>(
        (red / count) | ((green / count) << 8) | ((blue / count) << 16));

    m_backgroundSource = bitmap;
    m_packedBackground = PackedPicture();
    RebuildScaledBackground();
}

QSize CDlgBase::ScaledBackgroundSize() const
{
    return {UiScale::Scale(m_backgroundWidth - m_backgroundMargin),
            UiScale::Scale(m_backgroundHeight - m_backgroundMargin)};
}

void CDlgBase::RebuildScaledBackground()
{
    // At one design unit a device pixel the scaled copy is the source itself, which then
    // lives only in the copy; a later rebuild (another pixel ratio) takes it back from there.
    QImage source = m_backgroundSource;
    if (source.isNull())
        source = m_packedBackground.IsNull() ? m_scaledBackground.toImage() : m_packedBackground.Unpack();
    if (source.isNull())
        return;
    m_packedBackground = PackedPicture();
    const QSize target = ScaledBackgroundSize();
    if (target.isEmpty()) {
        m_backgroundSource = source;
        m_scaledBackground = QPixmap();
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize sourceSize(kBackgroundSourceWidth, kBackgroundSourceHeight);
    if (ratio == 1.0 && target == sourceSize && source.size() == sourceSize) {
        m_scaledBackground = QPixmap::fromImage(source);
        m_backgroundSource = QImage();
        return;
    }
    m_backgroundSource = source;
    QPixmap scaled(target * ratio);
    scaled.setDevicePixelRatio(ratio);
    scaled.fill(Qt::transparent);

    // The design-size source rectangle is mapped onto the target; the part of it that
    // lies inside the bitmap keeps the same mapping.
    const QRect sourceRect(QPoint(0, 0), sourceSize);
    const QRect inside = sourceRect.intersected(source.rect());
    if (!inside.isEmpty()) {
        const qreal scaleX = static_cast<qreal>(target.width()) / kBackgroundSourceWidth;
        const qreal scaleY = static_cast<qreal>(target.height()) / kBackgroundSourceHeight;
        const QRectF destination(0, 0, inside.width() * scaleX, inside.height() * scaleY);
        QPainter painter(&scaled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(destination, source, inside);
    }
    m_scaledBackground = scaled;
}

void CDlgBase::DrawScaledBackground(QPainter& painter) const
{
    if (!m_scaledBackground.isNull())
        painter.drawPixmap(0, 0, m_scaledBackground);
    else
        m_packedBackground.Draw(painter, QPoint(0, 0));
}

void CDlgBase::PackBackground()
{
    m_packQueued = false;
    // Only the background that is its own source at one device pixel per design unit: a
    // scaled copy is drawn beside a source that is kept anyway.
    if (!m_backgroundSource.isNull() || m_scaledBackground.isNull() ||
        m_scaledBackground.devicePixelRatio() != 1.0)
        return;
    PackedPicture packed(m_scaledBackground.toImage());
    if (packed.IsNull())
        return;
    m_packedBackground = std::move(packed);
    m_scaledBackground = QPixmap();
#if defined(__GLIBC__)
    // The start's decoding and the packing leave freed heap pages behind, which glibc
    // keeps for later allocations that a window at rest does not make: give them back.
    malloc_trim(0);
#endif
}

// ---------------------------------------------------------------------------------------
// Popups

void CDlgBase::SetPopup(int slot, CWndPopup* popup)
{
    if (slot < 0 || slot >= kPopupSlotCount)
        return;
    m_popups[static_cast<std::size_t>(slot)] = popup;
    m_popupSet[static_cast<std::size_t>(slot)] = popup != nullptr;
    m_popupOrder[static_cast<std::size_t>(slot)] = ++m_popupCount;
}

CWndPopup* CDlgBase::LatestPopup() const
{
    CWndPopup* latest = nullptr;
    unsigned latestOrder = 0;
    for (std::size_t slot = 0; slot < m_popups.size(); ++slot) {
        CWndPopup* popup = m_popups[slot].data();
        if (popup != nullptr && popup->isVisible() && !popup->IsDismissed() && m_popupOrder[slot] >= latestOrder) {
            latest = popup;
            latestOrder = m_popupOrder[slot];
        }
    }
    return latest;
}

CWndPopup* CDlgBase::Popup(int slot) const
{
    if (slot < 0 || slot >= kPopupSlotCount)
        return nullptr;
    return m_popups[static_cast<std::size_t>(slot)].data();
}

void CDlgBase::ClosePopup(int slot)
{
    if (slot < 0 || slot >= kPopupSlotCount || !m_popupSet[static_cast<std::size_t>(slot)])
        return;
    if (m_pressedControl != nullptr && m_pressedControl != m_hotControl) {
        m_pressedControl->CancelPress(0);
        m_pressedControl = nullptr;
    }
    if (CWndPopup* popup = m_popups[static_cast<std::size_t>(slot)].data())
        popup->PostMessage(Msg::kClose, 0, 0);
    m_popups[static_cast<std::size_t>(slot)] = nullptr;
    m_popupSet[static_cast<std::size_t>(slot)] = false;
}

// ---------------------------------------------------------------------------------------
// Painting

void CDlgBase::DrawControls(QPainter& painter, const UiRect& clip)
{
    for (const auto& layer : m_layers) {
        for (const auto& control : layer) {
            if (!control || !control->IsVisible() || !control->IsShown())
                continue;
            if (control->GetRect().Intersects(clip))
                control->Draw(painter, clip);
        }
    }
}

void CDlgBase::paintEvent(QPaintEvent* event)
{
    // Straight into the window's backing store, which already is the off-screen image.
    if ((!m_scaledBackground.isNull() && m_scaledBackground.devicePixelRatio() != devicePixelRatioF()) ||
        (!m_packedBackground.IsNull() && devicePixelRatioF() != 1.0))
        RebuildScaledBackground();
    {
        QPainter painter(this);
        painter.setClipRect(event->rect());
        DrawBackground(painter, UiRect::FromQRect(event->rect()));
    }
    if (m_focusControl != nullptr) {
        QPainter ring(this);
        ring.setClipRect(event->rect());
        DrawFocusRing(ring);
    }
    ToolkitAccessibility::WindowPainted(this);

    // The whole window is on screen now; what repaints later is mostly a control's part.
    if (!m_packQueued && m_backgroundSource.isNull() && !m_scaledBackground.isNull()) {
        m_packQueued = true;
        QMetaObject::invokeMethod(this, [this] { PackBackground(); }, Qt::QueuedConnection);
    }

    // Pending commands run after the paint has finished, never inside it.
    for (auto& command : m_afterPaint)
        QMetaObject::invokeMethod(this, std::move(command), Qt::QueuedConnection);
    m_afterPaint.clear();
}

// ---------------------------------------------------------------------------------------
// Mouse routing

bool CDlgBase::IsEligible(const CControlBase* control)
{
    return control != nullptr && control->IsVisible() && control->IsShown() &&
           control->IsEnabled();
}

unsigned CDlgBase::FlagsOf(const QSinglePointEvent* event)
{
    unsigned flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= MouseFlag::kLeftButton;
    if (event->buttons() & Qt::RightButton)
        flags |= MouseFlag::kRightButton;
    if (event->buttons() & Qt::MiddleButton)
        flags |= MouseFlag::kMiddleButton;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MouseFlag::kShift;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MouseFlag::kControl;
    return flags;
}

void CDlgBase::mouseMoveEvent(QMouseEvent* event)
{
    if (m_movingByHand) {
        move(event->globalPosition().toPoint() - m_moveOffset);
        return;
    }
    RouteMouseMove(FlagsOf(event), event->position().toPoint());
}

void CDlgBase::mousePressEvent(QMouseEvent* event)
{
    // The window system sends no move when the pointer rests where a window that covered
    // it has closed (a dialog ended by Enter, say): the press first finds the control
    // under the pointer, as a move would have.
    const QPoint point = event->position().toPoint();
    if (!m_leftButtonDown && (m_hotControl == nullptr || !m_hotControl->GetRect().Contains(point)))
        RouteMouseMove(0, point);
    if (event->button() == Qt::LeftButton)
        RouteLButtonDown(FlagsOf(event), event->position().toPoint(),
                         event->globalPosition().toPoint());
}

void CDlgBase::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_movingByHand = false;
        RouteLButtonUp(FlagsOf(event), event->position().toPoint());
    } else if (event->button() == Qt::RightButton) {
        RouteRButtonUp(FlagsOf(event), event->position().toPoint());
    }
}

void CDlgBase::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click takes the place of the second press: the controls see press,
    // release, double click, release.
    if (event->button() == Qt::LeftButton)
        RouteLButtonDblClk(FlagsOf(event), event->position().toPoint());
}

void CDlgBase::leaveEvent(QEvent* event)
{
    RouteMouseLeave(mapFromGlobal(QCursor::pos()));
    CMessageWindow::leaveEvent(event);
}

void CDlgBase::RouteMouseMove(unsigned flags, QPoint point)
{
    if (!m_tracking) {
        // Leave events come from the window system; the hover notice is ours.
        m_tracking = true;
        m_hoverTimer.start(1);
    }

    if (m_hotControl != nullptr && m_hotControl->GetRect().Contains(point) && m_tracking) {
        m_lastMousePosition = point;
        CControlBase* hot = m_hotControl;
        if (hot->OnMouseMove(flags, point))
            InvalidateRect(hot->GetRect());
        return;
    }
    if (m_leftButtonDown)
        return;

    CControlBase* oldHot = m_hotControl;
    m_lastMousePosition = point;
    CControlBase* hit = nullptr;
    if (m_tracking) {
        // By index: a handler that runs during the walk may append controls.
        for (const auto& layer : m_layers) {
            for (std::size_t i = 0; i < layer.size(); ++i) {
                CControlBase* control = layer[i].get();
                if (!IsEligible(control))
                    continue;
                // Every control hears the move, so that each can drop its hover look.
                control->OnMouseMove(flags, m_lastMousePosition);
                if (control->GetRect().Contains(point))
                    hit = control;
            }
        }
    }
    if (oldHot != nullptr)
        InvalidateRect(oldHot->GetRect());
    m_hotControl = hit;
    if (hit != nullptr)
        InvalidateRect(hit->GetRect());
}

void CDlgBase::RouteMouseHover(QPoint cursor)
{
    if (m_hotControl != nullptr && m_hotControl->GetRect().Contains(cursor)) {
        m_lastMousePosition = cursor;
        InvalidateRect(m_hotControl->GetRect());
    }
}

void CDlgBase::RouteMouseLeave(QPoint cursor)
{
    m_tracking = false;
    m_hoverTimer.stop();
    if (m_leftButtonDown || m_hotControl == nullptr)
        return;
    CControlBase* hot = m_hotControl;
    if (isMaximized() && hot->GetRect().Contains(cursor))
        m_lastMousePosition = cursor;
    else
        m_lastMousePosition = QPoint(-1, -1);
    hot->OnMouseMove(0, m_lastMousePosition);
    InvalidateRect(hot->GetRect());
    m_hotControl = nullptr;
}

void CDlgBase::RouteLButtonDown(unsigned flags, QPoint point, QPoint globalPoint)
{
    if (m_pressedControl != nullptr && m_pressedControl != m_hotControl) {
        m_pressedControl->CancelPress(0);
        m_pressedControl = nullptr;
    }
    if (m_hotControl != nullptr && m_hotControl->GetRect().Contains(point)) {
        m_leftButtonDown = true;
        m_pressedControl = m_hotControl;
        m_pressRect = m_hotControl->GetRect();
        CControlBase* pressed = m_pressedControl;
        if (pressed->OnLButtonDown(flags, point))
            InvalidateRect(pressed->GetRect());
        // While the button is held the window keeps receiving the pointer (Qt's implicit
        // grab), wherever it goes.
        m_captured = true;
        return;
    }
    m_pressRect = UiRect::None();
    BeginWindowMove(globalPoint);
}

bool CDlgBase::BeginWindowMove(QPoint globalPosition)
{
    if (QWindow* handle = windowHandle(); handle != nullptr && handle->startSystemMove())
        return true;
    m_movingByHand = true;
    m_moveOffset = globalPosition - pos();
    return false;
}

void CDlgBase::RouteLButtonUp(unsigned flags, QPoint point)
{
    m_captured = false;
    m_leftButtonDown = false;
    if (m_hotControl != nullptr) {
        const UiRect controlRect = m_hotControl->GetRect();
        const bool changed = m_hotControl->OnLButtonUp(flags, point);
        // The handler of the click may have cleared the hot control (a popup, a page
        // switch), so it is read again here.
        if (changed && m_hotControl != nullptr) {
            if (IsFullRepaintId(m_hotControl->GetId()))
                InvalidateAll();
            else
                InvalidateRect(m_hotControl->GetRect());
        }
        if (!m_pressRect.Contains(point) && !controlRect.Contains(point)) {
            m_lastMousePosition = QPoint(-1, -1);
            m_hotControl = nullptr;
        } else {
            m_lastMousePosition = point;
        }
    }
    m_doubleClick = false;
    m_pressRect = UiRect::None();
}

void CDlgBase::RouteLButtonDblClk(unsigned flags, QPoint point)
{
    for (const auto& layer : m_layers) {
        for (const auto& control : layer) {
            if (!control || !control->GetRect().Contains(point))
                continue;
            if (m_hotControl != nullptr) {
                CControlBase* hot = m_hotControl;
                if (hot->OnLButtonDblClk(flags, point))
                    InvalidateRect(hot->GetRect());
                m_pressRect = control->GetRect();
                m_doubleClick = true;
            }
            return;
        }
    }
}

void CDlgBase::RouteRButtonUp(unsigned flags, QPoint point)
{
    for (const auto& control : m_layers[0]) {
        if (!control || !control->GetRect().Contains(point))
            continue;
        if (m_hotControl != nullptr) {
            CControlBase* hot = m_hotControl;
            if (hot->OnRButtonUp(flags, point))
                InvalidateRect(hot->GetRect());
        }
        return;
    }
}
