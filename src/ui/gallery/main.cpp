// corvane-gallery: every control of the skinned toolkit in every state, at a chosen
// scale. With --screenshot the window is rendered to a PNG and the program exits.
#include "CGalleryDlg.h"

#include "ui/SkinImage.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Skinned control gallery"));
    parser.addHelpOption();
    const QCommandLineOption scaleOption(QStringLiteral("scale"),
                                         QStringLiteral("UiScale: 1.0, 1.5 or 2.0."),
                                         QStringLiteral("factor"), QStringLiteral("1.0"));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Render to FILE and exit."),
                                              QStringLiteral("FILE"));
    const QCommandLineOption skinsOption(QStringLiteral("skins"),
                                         QStringLiteral("Skin folder (default: skins beside the program)."),
                                         QStringLiteral("folder"));
    parser.addOptions({scaleOption, screenshotOption, skinsOption});
    parser.process(app);

    bool validScale = false;
    const double scale = parser.value(scaleOption).toDouble(&validScale);
    if (!validScale || (scale != 1.0 && scale != 1.5 && scale != 2.0)) {
        std::fprintf(stderr, "--scale must be 1.0, 1.5 or 2.0\n");
        return 2;
    }
    UiScale::Set(scale);
    UiFont::SetControlFont(ControlFont{u"Tahoma", UiScale::Scale(16), 1});
    if (parser.isSet(skinsOption))
        SkinImage::SetSkinFolder(parser.value(skinsOption));

    CGalleryDlg gallery;
    gallery.InitDialog();
    gallery.show();
    if (parser.isSet(screenshotOption)) {
        gallery.OpenPopup();
        QApplication::processEvents();
        const QString file = parser.value(screenshotOption);
        if (!gallery.RenderScreenshot().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        return 0;
    }
    return QApplication::exec();
}
