#include "app/dialogs/COSDDialog.h"
#include "app/dialogs/OnScreenDisplay.h"
#include "app/dialogs/OsdTexts.h"

#include "device/DpiStepTable.h"
#include "profiles/Profile.h"
#include "ui/CMessageWindow.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t kSensor3205 = 0x3205;  // 800 .. 3600 DPI in steps of 100
constexpr std::uint16_t kSensor3950 = 0x3950;  // 50 .. 30000 DPI in steps of 50

DpiStepTable TableOf(std::uint16_t model)
{
    DpiStepTable table;
    EXPECT_TRUE(table.Build(model));
    return table;
}

// Stands in for the main window: routes the status message and timer 50 to the display.
class OsdOwner : public CMessageWindow {
public:
    Profile profile;
    DpiStepTable table = TableOf(kSensor3205);
    OnScreenDisplay display{*this};

    void StatusChanged(WParam wParam = OnScreenDisplay::kShowDisplay)
    {
        // As the status listener does: posted, then handled by the event loop.
        PostMessage(OnScreenDisplay::kMsgStatusChanged, wParam, 0);
        QApplication::processEvents();
    }
    void Tick() { SendMessage(Msg::kTimer, OnScreenDisplay::kTimerId, 0); }
    [[nodiscard]] int OpenDisplays() const { return static_cast<int>(findChildren<COSDDialog*>().size()); }

protected:
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override
    {
        if (message == OnScreenDisplay::kMsgStatusChanged) {
            display.OnStatusChanged(wParam, profile, table);
            return 0;
        }
        if (message == Msg::kTimer && wParam == OnScreenDisplay::kTimerId) {
            display.OnTimer();
            return 0;
        }
        return CMessageWindow::OnMessage(message, wParam, lParam);
    }
};

class OsdTest : public testing::Test {
protected:
    void SetUp() override { UiFont::SetControlFont(ControlFont{u"Tahoma", 16, 1}); }
    void TearDown() override
    {
        UiScale::Set(1.0);
        UiFont::SetControlFont(ControlFont{});
    }
};

struct TextCase {
    const char* name;
    std::uint16_t model;
    std::uint8_t level;
    std::uint16_t levelPosition;   // XYSettingX of the current level
    std::uint16_t level0Position;  // XYSettingX of level 0
    std::uint8_t rateIndex;
    OsdTexts expected;
};

TEST_F(OsdTest, TextsComeFromTheCurrentLevelAndTheRateByte)
{
    const TextCase cases[] = {
        {"level 3 at 1600", kSensor3205, 2, 8, 0, 3, {"DPI-3", "1600", "1000Hz"}},
        {"first level", kSensor3205, 0, 28, 28, 0, {"DPI-1", "3600", "125Hz"}},
        {"five digits", kSensor3950, 7, 239, 0, 5, {"DPI-8", "12000", "4000Hz"}},
        {"level 9 shows level 0's value", kSensor3205, 9, 0, 4, 1, {"DPI-10", "1200", "250Hz"}},
        {"rate 6", kSensor3205, 1, 0, 0, 6, {"DPI-2", "800", "8000Hz"}},
        {"rate above 6", kSensor3205, 1, 0, 0, 200, {"DPI-2", "800", "8000Hz"}},
    };
    for (const TextCase& c : cases) {
        Profile profile;
        profile.CurrentDPILevel = c.level;
        if (c.level < Profile::kDpiLevelCount)
            profile.XYSettingX[c.level] = c.levelPosition;
        if (c.level != 0)
            profile.XYSettingX[0] = c.level0Position;
        profile.PollingRateValue[0] = c.rateIndex;
        const OsdTexts texts = BuildOsdTexts(profile, TableOf(c.model));
        EXPECT_EQ(texts.title, c.expected.title) << c.name;
        EXPECT_EQ(texts.value, c.expected.value) << c.name;
        EXPECT_EQ(texts.rate, c.expected.rate) << c.name;
    }
}

TEST_F(OsdTest, DisplaySitsTranslucentInTheWorkAreasCornerWithoutTakingFocusOrMouse)
{
    UiScale::Set(1.5);
    QLineEdit userField;  // the window the user is typing in
    userField.show();
    userField.activateWindow();
    userField.setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), &userField);

    OsdOwner owner;
    owner.StatusChanged();
    COSDDialog* display = owner.display.Display();
    ASSERT_NE(display, nullptr);
    EXPECT_TRUE(display->isVisible());

    const QRect workArea = owner.screen()->availableGeometry();
    EXPECT_EQ(display->geometry(),
              QRect(workArea.x() + workArea.width() - 270, workArea.y() + workArea.height() - 210, 270, 210));
    EXPECT_DOUBLE_EQ(display->windowOpacity(), 128 / 255.0);
    const Qt::WindowFlags flags = display->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::ToolTip);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(display->testAttribute(Qt::WA_ShowWithoutActivating));

    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), &userField);
    EXPECT_EQ(QApplication::activeWindow(), &userField);
}

TEST_F(OsdTest, WaylandGetsAToolWindowEveryOtherPlatformATopMostToolTip)
{
    for (const char* platform : {"xcb", "windows", "offscreen", "wayland", "wayland-egl"}) {
        const Qt::WindowFlags flags = COSDDialog::WindowFlagsFor(QString::fromLatin1(platform));
        const Qt::WindowFlags expectedType =
            QString::fromLatin1(platform).startsWith("wayland") ? Qt::Tool : Qt::ToolTip;
        EXPECT_EQ(flags & Qt::WindowType_Mask, expectedType) << platform;
        EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus)) << platform;
        EXPECT_TRUE(flags.testFlag(Qt::WindowTransparentForInput)) << platform;
        EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint)) << platform;
    }
}

TEST_F(OsdTest, DisplayGoesOnTheSixthTickAfterTheLastUpdate)
{
    OsdOwner owner;
    owner.StatusChanged();
    ASSERT_NE(owner.display.Display(), nullptr);
    EXPECT_TRUE(owner.HasTimer(OnScreenDisplay::kTimerId));
    for (int tick = 0; tick < 5; ++tick)
        owner.Tick();
    EXPECT_NE(owner.display.Display(), nullptr);
    owner.Tick();
    EXPECT_EQ(owner.display.Display(), nullptr);
    EXPECT_EQ(owner.OpenDisplays(), 0);
    EXPECT_FALSE(owner.HasTimer(OnScreenDisplay::kTimerId));
}

TEST_F(OsdTest, SecondUpdateRefreshesTheSameDisplayAndRestartsItsTime)
{
    OsdOwner owner;
    owner.profile.XYSettingX[0] = 4;
    owner.StatusChanged();
    COSDDialog* first = owner.display.Display();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Texts().value, "1200");

    for (int tick = 0; tick < 3; ++tick)  // about a second later
        owner.Tick();
    owner.profile.CurrentDPILevel = 1;
    owner.profile.XYSettingX[1] = 8;
    owner.StatusChanged();
    EXPECT_EQ(owner.display.Display(), first);
    EXPECT_EQ(owner.OpenDisplays(), 1);
    EXPECT_EQ(first->Texts(), (OsdTexts{"DPI-2", "1600", "125Hz"}));

    for (int tick = 0; tick < 5; ++tick)
        owner.Tick();
    EXPECT_EQ(owner.display.Display(), first);
    owner.Tick();
    EXPECT_EQ(owner.display.Display(), nullptr);
}

TEST_F(OsdTest, OtherStatusWordsShowNothing)
{
    OsdOwner owner;
    owner.StatusChanged(0);
    owner.StatusChanged(2);
    EXPECT_EQ(owner.display.Display(), nullptr);
    EXPECT_FALSE(owner.HasTimer(OnScreenDisplay::kTimerId));
}

// The first column (from the left) with white text in the value's band; -1 when none.
int FirstValueColumn(const QImage& shot, double scale)
{
    const int top = static_cast<int>(44 * scale);
    const int bottom = static_cast<int>(92 * scale);
    for (int x = 0; x < shot.width(); ++x) {
        for (int y = top; y < bottom; ++y) {
            if (shot.pixelColor(x, y).green() > 200)
                return x;
        }
    }
    return -1;
}

TEST_F(OsdTest, PaintsTheFillAndPlacesShorterValuesFurtherRight)
{
    COSDDialog display(nullptr);
    display.PlaceOnOwnersScreen();
    display.SetTexts({"DPI-1", "12000", "8000Hz"});
    const QImage five = display.grab().toImage();
    EXPECT_EQ(five.pixelColor(2, 2), QColor(0xA4, 0x49, 0xA4));
    display.SetTexts({"DPI-1", "1600", "8000Hz"});
    const QImage four = display.grab().toImage();

    const int fiveLeft = FirstValueColumn(five, 1.0);
    const int fourLeft = FirstValueColumn(four, 1.0);
    ASSERT_GE(fiveLeft, 16);
    EXPECT_GE(fourLeft, 34);
    EXPECT_GT(fourLeft, fiveLeft);
}

TEST_F(OsdTest, ValueAndRateColumnsFollowLengthAndFace)
{
    EXPECT_EQ(COSDDialog::ValueLeft("12000", false), 16);
    EXPECT_EQ(COSDDialog::ValueLeft("1600", false), 34);
    EXPECT_EQ(COSDDialog::ValueLeft("800", false), 50);
    EXPECT_EQ(COSDDialog::ValueLeft("12000", true), 34);
    EXPECT_EQ(COSDDialog::ValueLeft("1600", true), 44);
    EXPECT_EQ(COSDDialog::ValueLeft("50", true), 50);
    EXPECT_EQ(COSDDialog::RateLeft("1000Hz"), 50);
    EXPECT_EQ(COSDDialog::RateLeft("125Hz"), 57);
}

}  // namespace
