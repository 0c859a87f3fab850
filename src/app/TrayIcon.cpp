#include "app/TrayIcon.h"

#include "profiles/LanguageTexts.h"
#include "ui/ProgramIcon.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
const QString kTip = QStringLiteral("Gaming Mouse");
std::optional<bool> g_assumedTray;
}  // namespace

TrayIcon::TrayIcon(const LanguageTexts& texts, std::function<void()> restore, std::function<void()> exit)
    : m_menu(std::make_unique<QMenu>()), m_restore(std::move(restore)), m_exit(std::move(exit))
{
    // The program's icon, which its first window has set; decoded here only without one.
    const QIcon programIcon = QGuiApplication::windowIcon();
    m_icon = new QSystemTrayIcon(programIcon.isNull() ? ProgramIcon::Make() : programIcon, this);
    QAction* show = m_menu->addAction(QString::fromStdU16String(texts.Text(kTextShow)));
    m_menu->addSeparator();
    QAction* quit = m_menu->addAction(QString::fromStdU16String(texts.Text(kTextExit)));
    QObject::connect(show, &QAction::triggered, this, [this] { m_restore(); });
    // The menu closes before the program ends, so its own event handling is over.
    QObject::connect(quit, &QAction::triggered, this, [this] { m_exit(); }, Qt::QueuedConnection);
    m_icon->setContextMenu(m_menu.get());
    m_icon->setToolTip(kTip);
    // Trays that speak StatusNotifierItem (most Linux desktops) only ever send a single
    // activation, never a double click; both are the restore request.
    QObject::connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
            m_restore();
    });
}

TrayIcon::~TrayIcon()
{
    m_icon->hide();
}

bool TrayIcon::DesktopHasTray()
{
    return g_assumedTray.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void TrayIcon::AssumeDesktopHasTray(std::optional<bool> hasTray)
{
    g_assumedTray = hasTray;
}

void TrayIcon::Show()
{
    m_icon->show();
}

void TrayIcon::Hide()
{
    m_icon->hide();
}

void TrayIcon::SetBatteryLevel(std::optional<int> percent)
{
    const QString tip = percent ? kTip + QStringLiteral(" %1%").arg(*percent) : kTip;
    if (tip != m_icon->toolTip())
        m_icon->setToolTip(tip);
}

void TrayIcon::ShowMessage(const QString& title, const QString& message)
{
    m_icon->showMessage(title, message, m_icon->icon());
}

QString TrayIcon::ToolTip() const
{
    return m_icon->toolTip();
}
