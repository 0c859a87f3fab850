#include "ui/PopupDismisser.h"

#include "ui/CWndPopup.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

PopupDismisser::PopupDismisser()
{
    qApp->installEventFilter(this);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this, [](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            DismissAll();
    });
}

PopupDismisser& PopupDismisser::Instance()
{
    // Parented to the application, so it goes with it.
    static PopupDismisser* instance = [] {
        auto* made = new PopupDismisser();
        made->setParent(qApp);
        return made;
    }();
    return *instance;
}

void PopupDismisser::Register(CWndPopup* popup)
{
    auto& open = Instance().m_open;
    if (popup != nullptr && std::find(open.begin(), open.end(), popup) == open.end())
        open.emplace_back(popup);
}

void PopupDismisser::Unregister(const CWndPopup* popup)
{
    auto& open = Instance().m_open;
    std::erase_if(open, [popup](const QPointer<CWndPopup>& entry) { return entry.isNull() || entry.data() == popup; });
}

std::vector<CWndPopup*> PopupDismisser::OpenPopups()
{
    std::vector<CWndPopup*> popups;
    for (const auto& entry : Instance().m_open) {
        if (!entry.isNull())
            popups.push_back(entry.data());
    }
    return popups;
}

void PopupDismisser::DismissAll()
{
    // Each dismissal lets its popup leave the list, and the parent's handler may close
    // or open popups, so the walk runs over a copy.
    std::vector<QPointer<CWndPopup>> open = Instance().m_open;
    for (const auto& popup : open) {
        if (!popup.isNull())
            popup->Dismiss();
    }
}

bool PopupDismisser::IsInsideAPopup(const QObject* target) const
{
    const auto* widget = qobject_cast<const QWidget*>(target);
    if (widget == nullptr)
        return false;
    const QWidget* window = widget->window();
    return std::any_of(m_open.begin(), m_open.end(),
                       [window](const QPointer<CWndPopup>& popup) { return popup.data() == window; });
}

bool PopupDismisser::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                       type == QEvent::NonClientAreaMouseButtonPress;
    // Widgets only: a window-system press reaches the window first and then the widget,
    // and the widget is the one that tells where it went. The press itself goes on to
    // whatever was clicked.
    if (press && watched->isWidgetType() && !m_open.empty() && !IsInsideAPopup(watched))
        DismissAll();
    return QObject::eventFilter(watched, event);
}
