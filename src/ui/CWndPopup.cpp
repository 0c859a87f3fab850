#include "ui/CWndPopup.h"

#include "ui/PopupDismisser.h"
#include "ui/ToolkitAccessibility.h"
#include "ui/UiFont.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <array>
#include <utility>

namespace {

const QString kCheckImageResource = QStringLiteral(":/embedded/151.png");

// Kind -> dismissal message.
constexpr std::array<std::pair<int, UiMessage>, 14> kDismissalMessages{{
    {0, Msg::kUser + 5},
    {1, Msg::kUser + 8},
    {2, Msg::kUser + 18},
    {3, Msg::kUser + 21},
    {6, Msg::kUser + 33},
    {7, Msg::kUser + 102},
    {8, Msg::kUser + 112},
    {9, Msg::kUser + 122},
    {10, Msg::kUser + 132},
    {11, Msg::kUser + 135},
    {12, Msg::kUser + 138},
    {13, Msg::kUser + 141},
    {14, Msg::kUser + 144},
    {15, Msg::kUser + 146},
}};

constexpr Qt::WindowFlags kPopupWindowFlags = Qt::Tool | Qt::FramelessWindowHint |
                                              Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

}  // namespace

CWndPopup::CWndPopup() : CMessageWindow(nullptr, kPopupWindowFlags)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_ShowWithoutActivating);
    ToolkitAccessibility::Install();
    m_font = UiFont::ControlQFont();
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(kHoverMilliseconds);
    QObject::connect(&m_hoverTimer, &QTimer::timeout, this, [this] { OnHoverTimer(); });
}

CWndPopup::~CWndPopup()
{
    PopupDismisser::Unregister(this);
}

std::optional<UiMessage> CWndPopup::DismissalMessage(int kind)
{
    for (const auto& [entryKind, message] : kDismissalMessages) {
        if (entryKind == kind)
            return message;
    }
    return std::nullopt;
}

int CWndPopup::Create(CMessageWindow* parent, const UiRect& screenRect, int styleValue,
                      int ownerValue)
{
    if (parent == nullptr || screenRect.IsEmpty())
        return -1;
    // A tool window of the parent: it stays above it and leaves the pointer and the
    // keyboard alone; the dismisser watches for presses elsewhere.
    setParent(parent, kPopupWindowFlags);
    m_parentWindow = parent;
    m_styleValue = styleValue;
    m_ownerValue = ownerValue;
    m_screenX = screenRect.left;
    m_screenY = screenRect.top;
    setGeometry(screenRect.ToQRect());

    OnInit();
    Render();
    move(m_screenX, m_screenY);
    PopupDismisser::Register(this);
    show();
    return 0;
}

bool CWndPopup::SendToParent(UiMessage message, WParam wParam, LParam lParam)
{
    if (m_parentWindow.isNull())
        return false;
    m_parentWindow->SendMessage(message, wParam, lParam);
    return true;
}

bool CWndPopup::LoadCheckImage()
{
    return m_checkImage.Load(kCheckImageResource);
}

void CWndPopup::DrawItems(QPainter& /*painter*/, const UiRect& /*client*/) {}
void CWndPopup::DrawPart(QPainter& /*painter*/, const UiRect& /*client*/) {}
void CWndPopup::OnInit() {}
bool CWndPopup::OnHover(int /*x*/, int /*y*/) { return false; }
bool CWndPopup::OnPress(int /*x*/, int /*y*/) { return false; }
bool CWndPopup::OnRelease(int /*x*/, int /*y*/) { return false; }
bool CWndPopup::OnRightRelease(int /*x*/, int /*y*/) { return false; }

int CWndPopup::AccessibleItemCount() const
{
    return 0;
}

AccessibleItem CWndPopup::AccessibleItemAt(int /*index*/) const
{
    return {};
}

void CWndPopup::HoverItem(int index)
{
    if (index < 0 || index >= AccessibleItemCount() || m_buttonDown)
        return;
    const UiRect rect = AccessibleItemAt(index).rect;
    if (rect.IsEmpty())
        return;
    const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    if (OnHover(centre.x(), centre.y()))
        Render();
}

void CWndPopup::ClickItem(int index)
{
    if (index < 0 || index >= AccessibleItemCount() || m_buttonDown || m_closing)
        return;
    const UiRect rect = AccessibleItemAt(index).rect;
    if (rect.IsEmpty())
        return;
    const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // The result may close the popup; it is deleted later, never during the click.
    HoverItem(index);
    m_buttonDown = true;
    if (OnPress(centre.x(), centre.y()))
        Render();
    m_buttonDown = false;
    if (OnRelease(centre.x(), centre.y()))
        Render();
}

bool CWndPopup::HandleKey(int key)
{
    if (m_dismissed || m_closing || !isVisible())
        return false;
    const int count = AccessibleItemCount();
    int hot = -1;
    for (int i = 0; i < count; ++i) {
        if (AccessibleItemAt(i).selected)
            hot = i;
    }
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int direction = key == Qt::Key_Down ? 1 : -1;
        // Blank places (a profile slot without a profile) are passed over.
        for (int step = 1; step <= count; ++step) {
            const int next = ((hot < 0 ? (direction > 0 ? -1 : count) : hot) + direction * step + count * 2) % count;
            if (!AccessibleItemAt(next).name.isEmpty()) {
                HoverItem(next);
                break;
            }
        }
        return true;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (hot >= 0)
            ClickItem(hot);
        return true;
    case Qt::Key_Escape:
    case Qt::Key_Left:
        Dismiss();
        return true;
    default:
        return false;
    }
}

void CWndPopup::Render()
{
    const qreal ratio = devicePixelRatioF();
    const QSize deviceSize = size() * ratio;
    if (deviceSize.isEmpty())
        return;
    if (m_image.size() != deviceSize) {
        m_image = QPixmap(deviceSize);
        m_image.setDevicePixelRatio(ratio);
    }
    m_image.fill(Qt::black);
    {
        QPainter painter(&m_image);
        DrawItems(painter, UiRect{0, 0, width(), height()});
    }
    update();
    ToolkitAccessibility::PopupPainted(this);
}

void CWndPopup::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawPixmap(0, 0, m_image);
}

void CWndPopup::Dismiss()
{
    if (m_dismissed)
        return;
    m_dismissed = true;
    PopupDismisser::Unregister(this);
    if (const auto message = DismissalMessage(m_kind))
        SendToParent(*message, static_cast<WParam>(m_ownerValue), m_kind);
    // The parent closes us through its popup slot; until then we only step aside so
    // that the press reaches whatever is under the pointer.
    if (!m_closing)
        hide();
}

LResult CWndPopup::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    if (message == Msg::kClose) {
        if (m_closing)
            return 0;
        m_closing = true;
        PopupDismisser::Unregister(this);
        SendToParent(Msg::kPopupClosed, 0, 0);
        close();
        deleteLater();
        return 0;
    }
    return CMessageWindow::OnMessage(message, wParam, lParam);
}

void CWndPopup::closeEvent(QCloseEvent* event)
{
    // A close we did not ask for is the window system taking the popup away (the
    // application lost the focus, another popup opened): that is a dismissal too.
    if (!m_closing)
        Dismiss();
    event->accept();
}

void CWndPopup::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_tracking) {
        // The hover notice comes once per entry, after the pointer has rested.
        m_tracking = true;
        m_hoverTimer.start();
    } else if (m_hoverTimer.isActive()) {
        m_hoverTimer.start();
    }
    const QPoint point = event->position().toPoint();
    if (!m_buttonDown && OnHover(point.x(), point.y()))
        Render();
}

void CWndPopup::OnHoverTimer()
{
    const QPoint point = mapFromGlobal(QCursor::pos());
    if (!m_buttonDown && OnHover(point.x(), point.y()))
        Render();
}

void CWndPopup::leaveEvent(QEvent* event)
{
    m_tracking = false;
    m_hoverTimer.stop();
    const QPoint point = mapFromGlobal(QCursor::pos());
    if (!m_buttonDown && OnHover(point.x(), point.y()))
        Render();
    CMessageWindow::leaveEvent(event);
}

void CWndPopup::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!rect().contains(point)) {
        PopupDismisser::DismissAll();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_buttonDown = true;
    m_captured = true;
    if (OnPress(point.x(), point.y()))
        Render();
}

void CWndPopup::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CWndPopup::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        OnRightRelease(point.x(), point.y());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_captured = false;
    const bool wasDown = m_buttonDown;
    m_buttonDown = false;
    if (!wasDown)
        return;
    if (OnRelease(point.x(), point.y()))
        Render();
}
