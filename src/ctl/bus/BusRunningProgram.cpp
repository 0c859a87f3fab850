// corvanectl's way to the running program (this file uses Qt D-Bus).
#include "ctl/bus/BusRunningProgram.h"

#include "platform/instance/InstanceName.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace {

constexpr int kCallTimeoutMs = 10000;
constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";

// Qt D-Bus wants an application object; corvanectl has none of its own.
void EnsureApplication()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "corvanectl";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

QString ErrorText(const QDBusMessage& answer)
{
    return answer.errorMessage().isEmpty() ? answer.errorName() : answer.errorMessage();
}

class BusRunningProgram final : public RunningProgram {
public:
    BusRunningProgram(QDBusConnection bus, QString name) : m_bus(std::move(bus)), m_name(std::move(name)) {}

    std::string Name() const override { return m_name.toStdString(); }

    std::optional<Status> ReadStatus(std::string& problem) override
    {
        QDBusMessage call = Call(QString::fromLatin1(kPropertiesInterface), QStringLiteral("GetAll"));
        call << QString::fromLatin1(CorvaneBus::kInterface);
        const QDBusMessage answer = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
        if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty()) {
            problem = ErrorText(answer).toStdString();
            return std::nullopt;
        }
        QVariantMap properties;
        answer.arguments().at(0).value<QDBusArgument>() >> properties;
        Status status;
        status.batteryLevel = properties.value(QStringLiteral("BatteryLevel")).toUInt();
        status.charging = properties.value(QStringLiteral("Charging")).toUInt();
        status.link = properties.value(QStringLiteral("Link")).toString().toStdString();
        status.profile = properties.value(QStringLiteral("Profile")).toUInt();
        status.profileName = properties.value(QStringLiteral("ProfileName")).toString().toStdString();
        status.dpiLevel = properties.value(QStringLiteral("DpiLevel")).toUInt();
        status.dpi = properties.value(QStringLiteral("Dpi")).toUInt();
        status.pollingRate = properties.value(QStringLiteral("PollingRate")).toUInt();
        return status;
    }

    bool Call(const std::string& method, std::uint32_t value, std::string& problem) override
    {
        QDBusMessage call = Call(QString::fromLatin1(CorvaneBus::kInterface), QString::fromStdString(method));
        call << static_cast<uint>(value);
        const QDBusMessage answer = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
        if (answer.type() == QDBusMessage::ReplyMessage)
            return true;
        problem = ErrorText(answer).toStdString();
        return false;
    }

private:
    [[nodiscard]] QDBusMessage Call(const QString& interface, const QString& method) const
    {
        return QDBusMessage::createMethodCall(m_name, QString::fromLatin1(CorvaneBus::kObjectPath), interface, method);
    }

    QDBusConnection m_bus;
    QString m_name;
};

}  // namespace

std::unique_ptr<RunningProgram> FindRunningProgramOnBus(bool simulate, const std::filesystem::path& dataFolder)
{
    EnsureApplication();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return nullptr;
    const QString name = InstanceName::ForRun(simulate, dataFolder).busName;
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(name);
    if (!registered.isValid() || !registered.value())
        return nullptr;
    return std::make_unique<BusRunningProgram>(bus, name);
}
