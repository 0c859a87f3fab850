#include "platform/keycapture/linux/X11RawKeySource.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

// After every Qt header: Xlib's macros clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

// A private X server for the test, so the raw events come from keys the test presses and
// the user's session is never touched.
class PrivateXServer {
public:
    PrivateXServer()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (program.isEmpty())
            return;
        // -displayfd picks a free display and writes its number once the server accepts
        // connections.
        m_process.start(program, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                  QStringLiteral("tcp")});
        QByteArray number;
        while (!number.contains('\n') && m_process.waitForReadyRead(10000))
            number += m_process.readAllStandardOutput();
        if (number.trimmed().isEmpty())
            return;
        m_name = ":" + number.trimmed();
    }
    ~PrivateXServer()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }

    [[nodiscard]] const QByteArray& Name() const { return m_name; }

private:
    QProcess m_process;
    QByteArray m_name;
};

// Presses and releases keys on the server as a keyboard would, through XTEST.
class FakeKeyboard {
public:
    explicit FakeKeyboard(const QByteArray& display) : m_display(XOpenDisplay(display.constData())) {}
    ~FakeKeyboard()
    {
        if (m_display != nullptr)
            XCloseDisplay(m_display);
    }
    FakeKeyboard(const FakeKeyboard&) = delete;
    FakeKeyboard& operator=(const FakeKeyboard&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_display != nullptr; }
    void Key(unsigned x11KeyCode, bool press)
    {
        XTestFakeKeyEvent(m_display, x11KeyCode, press ? True : False, CurrentTime);
        XFlush(m_display);
    }

private:
    Display* m_display;
};

constexpr unsigned kX11KeyA = 30 + 8;           // Linux KEY_A
constexpr unsigned kX11KeyRightShift = 54 + 8;  // Linux KEY_RIGHTSHIFT

}  // namespace

TEST(X11RawKeySource, KeysPressedAnywhereOnTheServerArriveAsPhysicalKeys)
{
    PrivateXServer server;
    if (server.Name().isEmpty())
        GTEST_SKIP() << "Xvfb is not available";
    FakeKeyboard keyboard(server.Name());
    ASSERT_TRUE(keyboard.IsOpen());

    X11RawKeySource source(server.Name());
    std::vector<KeyEvent> events;
    ASSERT_TRUE(source.Start([&events](const KeyEvent& event) { events.push_back(event); }));

    keyboard.Key(kX11KeyRightShift, true);
    keyboard.Key(kX11KeyA, true);
    keyboard.Key(kX11KeyA, false);
    keyboard.Key(kX11KeyRightShift, false);
    ASSERT_TRUE(QTest::qWaitFor([&events] { return events.size() >= 4; }, 10000));

    ASSERT_EQ(events.size(), 4u);
    const std::pair<std::uint8_t, bool> expected[] = {{0xA1, false}, {0x41, false}, {0x41, true}, {0xA1, true}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(events[i].virtualKey, expected[i].first) << i;
        EXPECT_EQ(events[i].IsRelease(), expected[i].second) << i;
    }
    // The server's clock does not run backwards between the events of one sequence.
    EXPECT_LE(events[0].TimeMs(), events[3].TimeMs());

    source.Stop();
    keyboard.Key(kX11KeyA, true);
    keyboard.Key(kX11KeyA, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(events.size(), 4u);
}

TEST(X11RawKeySource, NoServerMeansNoStart)
{
    X11RawKeySource source(":4711");
    int delivered = 0;
    EXPECT_FALSE(source.Start([&delivered](const KeyEvent&) { ++delivered; }));
    source.Stop();
    EXPECT_EQ(delivered, 0);
}
