#include "app/bus/CorvaneBusObject.h"

#include "app/bus/ProgramControl.h"
#include "platform/instance/InstanceName.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QTimer>

namespace {

constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";
constexpr char kPropertiesChanged[] = "PropertiesChanged";

}  // namespace

CorvaneBusObject::CorvaneBusObject(ProgramControl& control, ChangeSink sink, QObject* parent)
    : QObject(parent), m_control(control), m_sink(std::move(sink)), m_announced(Properties(ProgramState{}))
{
}

ProgramState CorvaneBusObject::Current() const
{
    return m_control.State().value_or(ProgramState{});
}

QVariantMap CorvaneBusObject::Properties(const ProgramState& state)
{
    return {
        {QStringLiteral("BatteryLevel"), QVariant::fromValue<uint>(state.batteryLevel)},
        {QStringLiteral("Charging"), QVariant::fromValue<uint>(state.charging)},
        {QStringLiteral("Link"), QString::fromStdString(state.link)},
        {QStringLiteral("Profile"), QVariant::fromValue<uint>(state.profile)},
        {QStringLiteral("ProfileName"), QString::fromStdU16String(state.profileName)},
        {QStringLiteral("DpiLevel"), QVariant::fromValue<uint>(state.dpiLevel)},
        {QStringLiteral("Dpi"), QVariant::fromValue<uint>(state.dpi)},
        {QStringLiteral("PollingRate"), QVariant::fromValue<uint>(state.pollingRate)},
    };
}

void CorvaneBusObject::ScheduleRefresh()
{
    if (m_refreshScheduled)
        return;
    m_refreshScheduled = true;
    QTimer::singleShot(0, this, [this] { Refresh(); });
}

void CorvaneBusObject::Refresh()
{
    m_refreshScheduled = false;
    const std::optional<ProgramState> state = m_control.State();
    if (!state)
        return;
    const QVariantMap now = Properties(*state);
    QVariantMap changed;
    for (auto property = now.cbegin(); property != now.cend(); ++property) {
        if (m_announced.value(property.key()) != property.value())
            changed.insert(property.key(), property.value());
    }
    if (changed.isEmpty())
        return;
    m_announced = now;
    Announce(changed);
}

void CorvaneBusObject::Announce(const QVariantMap& changed) const
{
    if (m_sink) {
        m_sink(changed);
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(CorvaneBus::kObjectPath),
                                                     QString::fromLatin1(kPropertiesInterface),
                                                     QString::fromLatin1(kPropertiesChanged));
    signal << QString::fromLatin1(CorvaneBus::kInterface) << changed << QStringList();
    // Without a bus (the program runs on the lock and socket) there is no one to tell.
    (void)QDBusConnection::sessionBus().send(signal);
}

bool CorvaneBusObject::Refuse(const std::optional<BusRefusal>& refusal)
{
    if (!refusal)
        return false;
    if (calledFromDBus())
        sendErrorReply(QString::fromStdString(refusal->name), QString::fromStdString(refusal->message));
    return true;
}

std::optional<ProgramState> CorvaneBusObject::StateToActOn()
{
    std::optional<ProgramState> state = m_control.State();
    if (!state)
        (void)Refuse(BusRequestCheck::NotRunning());
    return state;
}

void CorvaneBusObject::Activate()
{
    m_control.Activate();
}

void CorvaneBusObject::SwitchProfile(uint profile)
{
    const auto state = StateToActOn();
    if (!state || Refuse(BusRequestCheck::Profile(profile, *state)))
        return;
    m_control.SwitchProfile(profile);
    ScheduleRefresh();
}

void CorvaneBusObject::SetDpiLevel(uint level)
{
    const auto state = StateToActOn();
    if (!state || Refuse(BusRequestCheck::DpiLevel(level, *state)))
        return;
    m_control.SetDpiLevel(level);
    ScheduleRefresh();
}

void CorvaneBusObject::SetPollingRate(uint hertz)
{
    const auto state = StateToActOn();
    if (!state || Refuse(BusRequestCheck::PollingRate(hertz, *state)))
        return;
    m_control.SetPollingRate(hertz);
    ScheduleRefresh();
}
