#include "app/bus/CorvaneBusObject.h"

#include "app/bus/ProgramControl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMetaProperty>

#include <vector>

namespace {

// The program behind the object: a state the test sets, and the actions it was asked for.
class FakeControl final : public ProgramControl {
public:
    std::optional<ProgramState> State() const override { return state; }
    void Activate() override { actions.push_back("Activate"); }
    void SwitchProfile(std::uint32_t profile) override { actions.push_back("SwitchProfile " + std::to_string(profile)); }
    void SetDpiLevel(std::uint32_t level) override { actions.push_back("SetDpiLevel " + std::to_string(level)); }
    void SetPollingRate(std::uint32_t hertz) override { actions.push_back("SetPollingRate " + std::to_string(hertz)); }

    std::optional<ProgramState> state;
    std::vector<std::string> actions;
};

ProgramState Running()
{
    ProgramState state;
    state.batteryLevel = 80;
    state.link = "wired";
    state.profile = 0;
    state.profileName = u"Profile 1";
    state.dpiLevel = 2;
    state.dpi = 1600;
    state.pollingRate = 1000;
    state.listedProfiles = {0, 1, 2};
    state.enabledDpiLevels = {1, 2, 3};
    state.pollingRates = {125, 250, 500, 1000};
    return state;
}

class CorvaneBusObjectTest : public testing::Test {
protected:
    int m_argc = 1;
    char m_name[16] = "bus-object-test";
    char* m_argv[1] = {m_name};
    QCoreApplication m_app{m_argc, m_argv};
    FakeControl control;
    std::vector<QVariantMap> announced;
    CorvaneBusObject object{control, [this](const QVariantMap& changed) { announced.push_back(changed); }};
};

}  // namespace

TEST_F(CorvaneBusObjectTest, OnlyThePropertiesThatChangedAreAnnounced)
{
    control.state = Running();
    object.Refresh();
    ASSERT_EQ(announced.size(), 1U);
    // Those that differ from a state with nothing in it (Charging and Profile stay 0).
    EXPECT_EQ(announced[0].keys(), (QStringList{QStringLiteral("BatteryLevel"), QStringLiteral("Dpi"),
                                                QStringLiteral("DpiLevel"), QStringLiteral("Link"),
                                                QStringLiteral("PollingRate"), QStringLiteral("ProfileName")}));

    object.Refresh();
    EXPECT_EQ(announced.size(), 1U) << "nothing changed";

    control.state->dpiLevel = 3;
    control.state->dpi = 2400;
    control.state->charging = 1;
    control.state->enabledDpiLevels = {3};  // a choice, not a property
    object.Refresh();
    ASSERT_EQ(announced.size(), 2U);
    EXPECT_EQ(announced[1], (QVariantMap{{QStringLiteral("DpiLevel"), QVariant::fromValue<uint>(3)},
                                         {QStringLiteral("Dpi"), QVariant::fromValue<uint>(2400)},
                                         {QStringLiteral("Charging"), QVariant::fromValue<uint>(1)}}));
    EXPECT_EQ(announced[1].value(QStringLiteral("DpiLevel")).metaType(), QMetaType::fromType<uint>());

    // A burst of changes scheduled together is announced once, after the event.
    control.state->profile = 1;
    control.state->profileName = u"Work";
    object.ScheduleRefresh();
    object.ScheduleRefresh();
    EXPECT_EQ(announced.size(), 2U);
    QCoreApplication::processEvents();
    ASSERT_EQ(announced.size(), 3U);
    EXPECT_EQ(announced[2].size(), 2);
    EXPECT_EQ(announced[2].value(QStringLiteral("ProfileName")).toString(), QStringLiteral("Work"));
}

TEST_F(CorvaneBusObjectTest, ThePropertiesReadTheProgramsStateWithTheirBusTypes)
{
    control.state = Running();
    const QMetaObject& meta = *object.metaObject();
    struct Expected {
        const char* name;
        QVariant value;
    };
    const Expected expected[] = {
        {"BatteryLevel", QVariant::fromValue<uint>(80)}, {"Charging", QVariant::fromValue<uint>(0)},
        {"Link", QStringLiteral("wired")},               {"Profile", QVariant::fromValue<uint>(0)},
        {"ProfileName", QStringLiteral("Profile 1")},    {"DpiLevel", QVariant::fromValue<uint>(2)},
        {"Dpi", QVariant::fromValue<uint>(1600)},        {"PollingRate", QVariant::fromValue<uint>(1000)},
    };
    for (const Expected& property : expected) {
        const int index = meta.indexOfProperty(property.name);
        ASSERT_GE(index, 0) << property.name;
        EXPECT_TRUE(meta.property(index).isScriptable()) << property.name;
        EXPECT_EQ(meta.property(index).read(&object), property.value) << property.name;
    }
    EXPECT_STREQ(meta.classInfo(meta.indexOfClassInfo("D-Bus Interface")).value(), "org.corvane.Corvane1");
}

TEST_F(CorvaneBusObjectTest, OnlyCheckedRequestsReachTheProgram)
{
    control.state = Running();
    object.SwitchProfile(4);
    object.SetDpiLevel(0);
    object.SetDpiLevel(5);
    object.SetPollingRate(300);
    EXPECT_TRUE(control.actions.empty());

    object.SwitchProfile(2);
    object.SetDpiLevel(3);
    object.SetPollingRate(500);
    object.Activate();
    EXPECT_EQ(control.actions,
              (std::vector<std::string>{"SwitchProfile 2", "SetDpiLevel 3", "SetPollingRate 500", "Activate"}));

    // Without a window nothing is changed, and the restore request is still passed on.
    control.actions.clear();
    control.state.reset();
    object.SetDpiLevel(3);
    object.Activate();
    EXPECT_EQ(control.actions, (std::vector<std::string>{"Activate"}));
}
