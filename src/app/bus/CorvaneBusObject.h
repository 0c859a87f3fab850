#pragma once

#include "app/bus/BusRequestCheck.h"
#include "app/bus/ProgramState.h"

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <optional>

class ProgramControl;

// The program's object on the session bus, /org/corvane/Corvane with the interface
// org.corvane.Corvane1 (data/dbus/org.corvane.Corvane1.xml): the properties read the
// program's state, the methods are the window's clicks. A thin layer: the checks are
// BusRequestCheck's, the work is the ProgramControl's. Lives on the UI thread.
class CorvaneBusObject final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.corvane.Corvane1")
    Q_PROPERTY(uint BatteryLevel READ BatteryLevel)
    Q_PROPERTY(uint Charging READ Charging)
    Q_PROPERTY(QString Link READ Link)
    Q_PROPERTY(uint Profile READ Profile)
    Q_PROPERTY(QString ProfileName READ ProfileName)
    Q_PROPERTY(uint DpiLevel READ DpiLevel)
    Q_PROPERTY(uint Dpi READ Dpi)
    Q_PROPERTY(uint PollingRate READ PollingRate)

public:
    // Receives the properties that changed, by name; unset: the PropertiesChanged signal
    // of org.freedesktop.DBus.Properties on the session bus.
    using ChangeSink = std::function<void(const QVariantMap& changed)>;

    explicit CorvaneBusObject(ProgramControl& control, ChangeSink sink = {}, QObject* parent = nullptr);

    // Something the properties show may have changed: compared once the current event
    // is handled, so a burst of changes is announced once.
    void ScheduleRefresh();
    // Compares with what was last announced and announces what changed.
    void Refresh();

    [[nodiscard]] uint BatteryLevel() const { return Current().batteryLevel; }
    [[nodiscard]] uint Charging() const { return Current().charging; }
    [[nodiscard]] QString Link() const { return QString::fromStdString(Current().link); }
    [[nodiscard]] uint Profile() const { return Current().profile; }
    [[nodiscard]] QString ProfileName() const { return QString::fromStdU16String(Current().profileName); }
    [[nodiscard]] uint DpiLevel() const { return Current().dpiLevel; }
    [[nodiscard]] uint Dpi() const { return Current().dpi; }
    [[nodiscard]] uint PollingRate() const { return Current().pollingRate; }

    // The properties of a state by their bus names, as PropertiesChanged carries them.
    [[nodiscard]] static QVariantMap Properties(const ProgramState& state);

public Q_SLOTS:
    Q_SCRIPTABLE void Activate();
    Q_SCRIPTABLE void SwitchProfile(uint profile);
    Q_SCRIPTABLE void SetDpiLevel(uint level);
    Q_SCRIPTABLE void SetPollingRate(uint hertz);

private:
    [[nodiscard]] ProgramState Current() const;
    // The state to act on, or nothing after the refusal was answered.
    [[nodiscard]] std::optional<ProgramState> StateToActOn();
    // Answers a refused call with its error; true when refused.
    bool Refuse(const std::optional<BusRefusal>& refusal);
    void Announce(const QVariantMap& changed) const;

    ProgramControl& m_control;
    ChangeSink m_sink;
    QVariantMap m_announced;
    bool m_refreshScheduled = false;
};
