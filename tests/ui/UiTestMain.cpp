#include <gtest/gtest.h>

#include <QApplication>

// The toolkit needs a QApplication; the tests run on the offscreen platform unless the
// environment asks for another.
namespace {

// The offscreen platform warns about every popup it cannot raise or give the keyboard
// to; those lines say nothing about the code under test.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QStringLiteral("This plugin does not support")))
        return;
    qt_message_output(type, context, text);
}

}  // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietOffscreenWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
