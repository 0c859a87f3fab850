#include "TestDialog.h"

#include "ui/AccessibleControl.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CImageButton.h"
#include "ui/CImageShowList.h"
#include "ui/CPowerManageButton.h"
#include "ui/CRadioButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"
#include "ui/CVScrollBar.h"
#include "ui/CVerticalSliderControl.h"
#include "ui/ToolkitAccessibility.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QCoreApplication>

#include <vector>

namespace {

// The accessibility events the toolkit reported, as type and control.
struct SeenEvent {
    QAccessible::Event type;
    QAccessibleInterface* target;
    QAccessible::State changes;
    QVariant value;
};
std::vector<SeenEvent> g_events;

void RecordEvent(QAccessibleEvent* event)
{
    SeenEvent seen{event->type(), event->accessibleInterface(), {}, {}};
    if (event->type() == QAccessible::StateChanged)
        seen.changes = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
    if (event->type() == QAccessible::ValueChanged)
        seen.value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    g_events.push_back(seen);
}

// Rows of a plain list.
class Rows : public ListRowSource {
public:
    std::vector<QString> names;
    int RowCount() const override { return static_cast<int>(names.size()); }
    ListRow Row(int index) const override { return ListRow{names[static_cast<std::size_t>(index)], 0, false, false, -1}; }
};

// A dialog whose controls are read and driven as assistive technology does: through
// its accessible interface, with a listener standing in for the platform's bridge.
class AccessibilityTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        ToolkitAccessibility::SetListener(RecordEvent);
        g_events.clear();
    }
    void TearDown() override
    {
        ToolkitAccessibility::SetListener(nullptr);
        DialogTest::TearDown();
    }

    QAccessibleInterface* Window() { return QAccessible::queryAccessibleInterface(&dialog); }

    // The interface of a control among the window's children.
    QAccessibleInterface* Of(CControlBase* control)
    {
        QAccessibleInterface* window = Window();
        for (int i = 0; i < window->childCount(); ++i) {
            auto* child = dynamic_cast<AccessibleControl*>(window->child(i));
            if (child != nullptr && child->Control() == control)
                return child;
        }
        ADD_FAILURE() << "no interface for control " << control->GetId();
        return nullptr;
    }

    static void Act(QAccessibleInterface* iface, const QString& action)
    {
        ASSERT_NE(iface->actionInterface(), nullptr);
        ASSERT_TRUE(iface->actionInterface()->actionNames().contains(action)) << action.toStdString();
        iface->actionInterface()->doAction(action);
        // Actions run from the event loop, as a click would.
        QCoreApplication::processEvents();
    }

    // Repaints now, which is when changes are reported.
    void Paint()
    {
        dialog.repaint();
        QCoreApplication::processEvents();
    }

    std::vector<SeenEvent> EventsFor(QAccessibleInterface* iface, QAccessible::Event type) const
    {
        std::vector<SeenEvent> found;
        for (const SeenEvent& event : g_events) {
            if (event.target == iface && event.type == type)
                found.push_back(event);
        }
        return found;
    }
};

TEST_F(AccessibilityTest, EveryKindOfControlHasItsRoleNameAndState)
{
    UiState::Instance().RadioSelection = 0x4;  // radio 3036
    auto* close = Add<CImageButton>(0, 2001, UiRect{0, 0, 20, 20}, 0u);
    close->SetAccessibleName(QStringLiteral("Close"));
    auto* check = Add<CCheckButton>(0, 10, UiRect{30, 0, 60, 20}, 0u, QStringLiteral("Sync"));
    check->SetChecked(true);
    auto* header = Add<CCheckButton>(0, 11, UiRect{70, 0, 170, 20}, 0u, QStringLiteral("Lighting"));
    header->SetExpander(true);
    auto* radio = Add<CRadioButton>(0, 3036, UiRect{0, 30, 20, 50});
    radio->SetAccessibleName(QStringLiteral("500 Hz"));
    auto* combo = Add<CComboButton>(0, Msg::kUser + 7, 12, UiRect{30, 30, 130, 50}, 0u);
    combo->SetAccessibleName(QStringLiteral("Button 1"));
    combo->SetText(QStringLiteral("Left Click"));
    combo->SetOpen(true);
    auto* locked = Add<CComboButton>(0, Msg::kUser + 7, 13, UiRect{140, 30, 240, 50}, 0u);
    locked->SetText(QStringLiteral("Macro"));
    locked->SetLocked(true);
    auto* text = Add<CStaticText>(0, 14, UiRect{0, 60, 100, 80}, 0xB4B4B4u, 0u, QStringLiteral("Speed"));
    auto* battery = dialog.AddControl(0, std::make_unique<CBattery>(&dialog, UiRect{110, 60, 140, 120}));
    battery->SetAccessibleTexts(QStringLiteral("Battery %1 %"), QStringLiteral("Charging"), QStringLiteral("Full"));
    battery->SetLevel(80);
    ControlFlags hiddenFlags;
    hiddenFlags.shown = false;
    auto* hidden = Add<CImageButton>(0, 15, UiRect{150, 60, 170, 80}, 0u, QStringLiteral("Hidden"), hiddenFlags);
    ControlFlags disabledFlags;
    disabledFlags.disabled = true;
    auto* disabled = Add<CImageButton>(0, 16, UiRect{180, 60, 200, 80}, 0u, QStringLiteral("Off"), disabledFlags);

    struct Expected {
        CControlBase* control;
        QAccessible::Role role;
        QString name;
        bool checked;
        bool expanded;
        bool disabled;
        bool invisible;
        bool focusable;
    };
    const Expected cases[] = {
        {close, QAccessible::Button, QStringLiteral("Close"), false, false, false, false, true},
        {check, QAccessible::CheckBox, QStringLiteral("Sync"), true, false, false, false, true},
        {header, QAccessible::Button, QStringLiteral("Lighting"), false, false, false, false, true},
        {radio, QAccessible::RadioButton, QStringLiteral("500 Hz"), true, false, false, false, true},
        {combo, QAccessible::ButtonMenu, QStringLiteral("Button 1: Left Click"), false, true, false, false, true},
        {locked, QAccessible::ButtonMenu, QStringLiteral("Macro"), false, false, true, false, true},
        {text, QAccessible::StaticText, QStringLiteral("Speed"), false, false, false, false, false},
        {battery, QAccessible::ProgressBar, QStringLiteral("Battery 80 %"), false, false, false, false, false},
        {hidden, QAccessible::Button, QStringLiteral("Hidden"), false, false, false, true, false},
        {disabled, QAccessible::Button, QStringLiteral("Off"), false, false, true, false, false},
    };
    for (const Expected& c : cases) {
        QAccessibleInterface* iface = Of(c.control);
        ASSERT_NE(iface, nullptr);
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(iface->role(), c.role);
        EXPECT_EQ(iface->text(QAccessible::Name), c.name);
        EXPECT_EQ(iface->parent(), Window());
        EXPECT_EQ(iface->rect(), QRect(dialog.mapToGlobal(c.control->GetRect().ToQRect().topLeft()),
                                       c.control->GetRect().ToQRect().size()));
        const QAccessible::State state = iface->state();
        EXPECT_EQ(bool(state.checked), c.checked);
        EXPECT_EQ(bool(state.expanded), c.expanded);
        EXPECT_EQ(bool(state.disabled), c.disabled);
        EXPECT_EQ(bool(state.invisible), c.invisible);
        EXPECT_EQ(bool(state.focusable), c.focusable);
        // What cannot be acted on offers no action.
        EXPECT_EQ(iface->actionInterface()->actionNames().isEmpty(), !c.focusable);
    }
    EXPECT_TRUE(Of(header)->state().expandable);
    header->SetChecked(true);
    EXPECT_TRUE(Of(header)->state().expanded);
    battery->SetMode(CBattery::kCharging);
    EXPECT_EQ(Of(battery)->text(QAccessible::Name), QStringLiteral("Charging"));
    EXPECT_EQ(Of(battery)->valueInterface()->currentValue().toInt(), 80);
}

TEST_F(AccessibilityTest, ThePressActionIsAClickWithTheSameNotificationsAsTheMouse)
{
    auto* button = Add<CImageButton>(0, 20, UiRect{10, 10, 50, 30}, 0u, QStringLiteral("Apply"));
    auto* check = Add<CCheckButton>(0, 21, UiRect{60, 10, 80, 30}, 0u, QStringLiteral("Sync"));

    mouse.Click({20, 20});
    const std::vector<ReceivedMessage> byMouse = dialog.MessagesFor(20);
    ASSERT_EQ(byMouse.size(), 2u);
    mouse.Leave();
    dialog.messages.clear();

    Act(Of(button), QAccessibleActionInterface::pressAction());
    EXPECT_EQ(dialog.MessagesFor(20), byMouse);
    // The pointer is not over it: it does not stay lit.
    EXPECT_EQ(button->GetState(), ButtonState::Normal);
    EXPECT_EQ(dialog.HotControl(), nullptr);

    Act(Of(check), QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(dialog.Count({21, 0, NotifyCode::kClick}), 1);
    Act(Of(check), QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(check->IsChecked());
}

TEST_F(AccessibilityTest, SlidersTakeValuesAndStepsThroughClicks)
{
    // 300 steps on 150 pixels: more steps than pixels, so not every step can be clicked.
    struct Table {
        int steps;
        int width;
    };
    const Table cases[] = {{30, 300}, {240, 290}, {300, 150}};
    for (const Table& c : cases) {
        SCOPED_TRACE(c.steps);
        dialog.messages.clear();
        const int id = 100 + c.steps;
        auto* slider = Add<CSliderControl>(0, id, UiRect{10, 100, 10 + c.width, 113}, c.steps, 6, 7);
        QAccessibleInterface* iface = Of(slider);
        ASSERT_NE(iface->valueInterface(), nullptr);
        EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), c.steps - 1);

        // Every step a click can reach is reached exactly by setting it.
        int reached = 0;
        for (int step = 0; step < c.steps; ++step) {
            if (!slider->PointForValue(step))
                continue;
            iface->valueInterface()->setCurrentValue(step);
            QCoreApplication::processEvents();
            ASSERT_EQ(slider->GetPos(), step);
            ++reached;
        }
        EXPECT_GE(reached, std::min(c.steps, c.width - 13));
        EXPECT_EQ(dialog.Count({static_cast<UiMessage>(id), 0, NotifyCode::kClick}), reached);

        // Increase from the bottom never sticks on a step that cannot be clicked.
        iface->valueInterface()->setCurrentValue(0);
        QCoreApplication::processEvents();
        int previous = slider->GetPos();
        while (iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::increaseAction())) {
            Act(iface, QAccessibleActionInterface::increaseAction());
            ASSERT_GT(slider->GetPos(), previous);
            previous = slider->GetPos();
        }
        EXPECT_EQ(slider->GetPos(), c.steps - 1);
        Act(iface, QAccessibleActionInterface::decreaseAction());
        EXPECT_LT(slider->GetPos(), c.steps - 1);
        slider->SetShown(false);
    }
}

TEST_F(AccessibilityTest, AVerticalSliderIsSetFromTheBottomUp)
{
    auto* slider = Add<CVerticalSliderControl>(0, 40, UiRect{10, 10, 24, 130}, 8, 0, 0);
    QAccessibleInterface* iface = Of(slider);
    for (const int value : {7, 0, 3}) {
        iface->valueInterface()->setCurrentValue(value);
        QCoreApplication::processEvents();
        EXPECT_EQ(slider->Value(), value);
    }
    EXPECT_EQ(dialog.Count({40, 0, NotifyCode::kClick}), 3);
}

TEST_F(AccessibilityTest, ChangesAreReportedAfterThePaintThatShowsThem)
{
    auto* check = Add<CCheckButton>(0, 50, UiRect{10, 10, 30, 30}, 0u, QStringLiteral("Sync"));
    auto* slider = Add<CSliderControl>(0, 51, UiRect{10, 50, 200, 63}, 5, 6, 7);
    auto* label = Add<CStaticText>(0, 52, UiRect{10, 70, 100, 90}, 0xB4B4B4u, 0u, QStringLiteral("10 min"));
    Paint();  // the first look is what later ones are compared with
    g_events.clear();

    check->SetChecked(true);
    slider->SetPos(3);
    label->SetText(QStringLiteral("20 min"));
    Paint();
    const auto states = EventsFor(Of(check), QAccessible::StateChanged);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_TRUE(states[0].changes.checked);
    const auto values = EventsFor(Of(slider), QAccessible::ValueChanged);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].value.toInt(), 3);
    EXPECT_EQ(EventsFor(Of(label), QAccessible::NameChanged).size(), 1u);

    // Nothing changed: nothing reported.
    g_events.clear();
    Paint();
    EXPECT_TRUE(g_events.empty());

    // Hidden: its state says so.
    check->SetShown(false);
    dialog.InvalidateAll();
    Paint();
    const auto hidden = EventsFor(Of(check), QAccessible::StateChanged);
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_TRUE(hidden[0].changes.invisible);
}

TEST_F(AccessibilityTest, ListRowsAreItemsThatAClickSelects)
{
    Rows rows;
    rows.names = {QStringLiteral("Reload"), QStringLiteral("Burst"), QStringLiteral("Copy"), QStringLiteral("Paste")};
    auto* list = dialog.AddControl(0, std::make_unique<CImageShowList>(&dialog, UiRect{10, 10, 150, 50}));
    list->SetSource(&rows);
    ASSERT_EQ(list->VisibleRows(), 2);
    QAccessibleInterface* iface = Of(list);
    EXPECT_EQ(iface->role(), QAccessible::List);
    ASSERT_EQ(iface->childCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(iface->child(i)->role(), QAccessible::ListItem);
        EXPECT_EQ(iface->child(i)->text(QAccessible::Name), rows.names[static_cast<std::size_t>(i)]);
        EXPECT_EQ(iface->indexOfChild(iface->child(i)), i);
        // Rows scrolled out of view have no place on the screen.
        EXPECT_EQ(iface->child(i)->state().offscreen, i >= 2) << i;
    }

    // The fourth row is scrolled into view and clicked.
    Act(iface->child(3), QAccessibleActionInterface::pressAction());
    EXPECT_EQ(list->Selection(), 3);
    EXPECT_EQ(list->FirstVisible(), 2);
    EXPECT_TRUE(iface->child(3)->state().selected);
    EXPECT_FALSE(iface->child(3)->state().offscreen);
}

}  // namespace

namespace {

TEST_F(AccessibilityTest, ThePowerDialIsASliderOfItsEightWedges)
{
    auto* dial = dialog.AddControl(0, std::make_unique<CPowerManageButton>(&dialog, UiRect{10, 10, 150, 90}));
    QAccessibleInterface* iface = Of(dial);
    EXPECT_EQ(iface->role(), QAccessible::Slider);
    EXPECT_EQ(iface->valueInterface()->minimumValue().toInt(), 1);
    EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), 8);
    // Each wedge's own point selects it: none is taken by a neighbour.
    for (const int selection : {1, 8, 4, 5, 2, 7, 3, 6}) {
        iface->valueInterface()->setCurrentValue(selection);
        QCoreApplication::processEvents();
        EXPECT_EQ(dial->Selection(), selection);
    }
    EXPECT_EQ(dialog.Count({3500, 0, NotifyCode::kClick}), 8);
    Act(iface, QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(dial->Selection(), 5);
}

TEST_F(AccessibilityTest, AScrollBarStepsWithItsArrows)
{
    auto* bar = Add<CVScrollBar>(0, 2016, UiRect{100, 0, 112, 99});
    ASSERT_GT(bar->TrackTop(), 0) << "the arrows' images are missing";
    bar->SetScrollInfo(20, 10, 40);
    QAccessibleInterface* iface = Of(bar);
    EXPECT_EQ(iface->role(), QAccessible::ScrollBar);
    EXPECT_EQ(iface->valueInterface()->currentValue().toInt(), 20);
    EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), 30);
    Act(iface, QAccessibleActionInterface::increaseAction());
    Act(iface, QAccessibleActionInterface::decreaseAction());
    std::vector<ReceivedMessage> presses;
    for (const ReceivedMessage& m : dialog.MessagesFor(2016)) {
        if (m.lParam == NotifyCode::kPress)
            presses.push_back(m);
    }
    const std::vector<ReceivedMessage> expected{{2016, ScrollPart::kLineDown, NotifyCode::kPress},
                                                {2016, ScrollPart::kLineUp, NotifyCode::kPress}};
    EXPECT_EQ(presses, expected);
}

}  // namespace
