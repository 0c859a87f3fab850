#include "ui/PopupDismisser.h"

#include "ui/CWndPopup.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

PopupDismisser::PopupDismisser()
{
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this, [](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            DismissAll();
    });
}

namespace {
// The one dismisser, made with the first popup and parented to the application, so it
// goes with it; null before the first popup and after the application has gone.
PopupDismisser* g_instance = nullptr;
}  // namespace

PopupDismisser::~PopupDismisser()
{
    if (g_instance == this)
        g_instance = nullptr;
}

PopupDismisser* PopupDismisser::Instance(Creation creation)
{
    if (g_instance == nullptr && creation == Creation::IfMissing && qApp != nullptr) {
        g_instance = new PopupDismisser();
        g_instance->setParent(qApp);
    }
    return g_instance;
}

void PopupDismisser::Register(CWndPopup* popup)
{
    PopupDismisser* dismisser = Instance(Creation::IfMissing);
    if (dismisser == nullptr || popup == nullptr)
        return;
    auto& open = dismisser->m_open;
    // The application-wide filter sees every event of the program, so it is there only
    // while a popup is open.
    if (open.empty())
        qApp->installEventFilter(dismisser);
    if (std::find(open.begin(), open.end(), popup) == open.end())
        open.emplace_back(popup);
}

void PopupDismisser::Unregister(const CWndPopup* popup)
{
    PopupDismisser* dismisser = Instance(Creation::Never);
    if (dismisser == nullptr)
        return;
    std::erase_if(dismisser->m_open,
                  [popup](const QPointer<CWndPopup>& entry) { return entry.isNull() || entry.data() == popup; });
    if (dismisser->m_open.empty())
        qApp->removeEventFilter(dismisser);
}

std::vector<CWndPopup*> PopupDismisser::OpenPopups()
{
    std::vector<CWndPopup*> popups;
    PopupDismisser* dismisser = Instance(Creation::Never);
    if (dismisser == nullptr)
        return popups;
    for (const auto& entry : dismisser->m_open) {
        if (!entry.isNull())
            popups.push_back(entry.data());
    }
    return popups;
}

void PopupDismisser::DismissAll()
{
    // Each dismissal lets its popup leave the list, and the parent's handler may close
    // or open popups, so the walk runs over a copy.
    PopupDismisser* dismisser = Instance(Creation::Never);
    if (dismisser == nullptr)
        return;
    std::vector<QPointer<CWndPopup>> open = dismisser->m_open;
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
