// corvane-gallery: every control of the skinned toolkit in every state, at a chosen
// scale, or with --window NAME one of the program's windows over a small stand-in main
// window. With --screenshot the window is rendered to a PNG and the program exits.
#include "CGalleryDlg.h"
#include "CGalleryOwner.h"
#include "GalleryWindows.h"

#include "platform/ResourceFolder.h"
#include "profiles/PathText.h"
#include "ui/CDlgBase.h"
#include "ui/SkinImage.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

int SaveScreenshot(const QImage& image, const QString& file)
{
    if (!image.save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

int RunWindow(const QString& name, Language language, const QString& screenshot)
{
    const GalleryWindow* entry = FindGalleryWindow(name);
    if (entry == nullptr) {
        std::fprintf(stderr, "no window named %s; --list shows them\n", qPrintable(name));
        return 2;
    }
    LanguageTexts texts;
    if (!LoadGalleryLanguage(texts, language, UiScale::Get()))
        std::fprintf(stderr, "the language file beside the program could not be read\n");
    CGalleryOwner owner;
    owner.InitDialog();
    owner.show();
    GalleryContext context{owner, texts, language};
    std::unique_ptr<QWidget> window = entry->open(context);
    if (!window)
        return 1;
    if (!screenshot.isEmpty()) {
        window->show();
        QApplication::processEvents();
        return SaveScreenshot(window->grab().toImage(), screenshot);
    }
    if (auto* dialog = dynamic_cast<CDlgBase*>(window.get())) {
        const int result = dialog->DoModal();
        std::printf("result %d\n", result);
        return 0;
    }
    window->show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Skinned control gallery and the program's windows"));
    parser.addHelpOption();
    const QCommandLineOption scaleOption(QStringLiteral("scale"),
                                         QStringLiteral("UiScale: 1.0, 1.5 or 2.0."),
                                         QStringLiteral("factor"), QStringLiteral("1.0"));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Render to FILE and exit."),
                                              QStringLiteral("FILE"));
    const QCommandLineOption skinsOption(QStringLiteral("skins"),
                                         QStringLiteral("Skin folder (default: skins beside the program, or installed in ../share/corvane)."),
                                         QStringLiteral("folder"));
    const QCommandLineOption windowOption(QStringLiteral("window"),
                                          QStringLiteral("Open the program's window NAME instead of the gallery."),
                                          QStringLiteral("NAME"));
    const QCommandLineOption languageOption(QStringLiteral("language"),
                                            QStringLiteral("Language of --window: en or zh."),
                                            QStringLiteral("code"), QStringLiteral("en"));
    const QCommandLineOption listOption(QStringLiteral("list"), QStringLiteral("List the windows --window opens."));
    parser.addOptions({scaleOption, screenshotOption, skinsOption, windowOption, languageOption, listOption});
    parser.process(app);

    if (parser.isSet(listOption)) {
        for (const GalleryWindow& window : GalleryWindows())
            std::printf("%s\n", qPrintable(window.name));
        return 0;
    }
    bool validScale = false;
    const double scale = parser.value(scaleOption).toDouble(&validScale);
    if (!validScale || (scale != 1.0 && scale != 1.5 && scale != 2.0)) {
        std::fprintf(stderr, "--scale must be 1.0, 1.5 or 2.0\n");
        return 2;
    }
    const QString languageCode = parser.value(languageOption);
    if (languageCode != QStringLiteral("en") && languageCode != QStringLiteral("zh")) {
        std::fprintf(stderr, "--language must be en or zh\n");
        return 2;
    }
    UiScale::Set(scale);
    UiScale::SetDpiRatio(UiScale::DpiRatioOf(nullptr));
    UiFont::SetControlFont(ControlFont{u"Tahoma", UiScale::Scale(16), 1});
    if (parser.isSet(skinsOption)) {
        SkinImage::SetSkinFolder(parser.value(skinsOption));
    } else {
        const std::filesystem::path resources =
            ResourceFolder(PathFromText(QApplication::applicationDirPath().toStdU16String()));
        SkinImage::SetSkinFolder(QString::fromStdU16String(TextFromPath(resources / "skins")));
    }

    if (parser.isSet(windowOption)) {
        const Language language = languageCode == QStringLiteral("zh") ? Language::Chinese : Language::English;
        return RunWindow(parser.value(windowOption), language, parser.value(screenshotOption));
    }

    CGalleryDlg gallery;
    gallery.InitDialog();
    gallery.show();
    if (parser.isSet(screenshotOption)) {
        gallery.OpenPopup();
        QApplication::processEvents();
        return SaveScreenshot(gallery.RenderScreenshot(), parser.value(screenshotOption));
    }
    return QApplication::exec();
}
