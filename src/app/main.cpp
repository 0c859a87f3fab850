// corvane: the configuration utility of the gaming mouse.
#include "app/CCorvaneApp.h"
#include "app/ProgramOptions.h"
#include "platform/DataFolder.h"
#include "platform/FontWarmUp.h"
#include "platform/ResourceFolder.h"
#include "profiles/PathText.h"
#include "ui/ImagePreload.h"
#include "ui/SkinImage.h"

#include "app/CCorvaneDlg.h"

#include <QApplication>
#include <QScopeGuard>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    FontWarmUp::Start();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane"));
    // The name of the installed .desktop file, which docks and portals match the window to.
    QApplication::setDesktopFileName(QStringLiteral("org.corvane.Corvane"));
    // The window lives on in the tray when it is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    // The largest picture decodes on a worker while the model loads and the window is built.
    ImagePreload::Start(CCorvaneDlg::BackgroundPicture());
    // Whatever way main ends (a second start ends at once), the workers are done before
    // the application object goes.
    const auto workersDone = qScopeGuard([] {
        ImagePreload::Forget();
        FontWarmUp::Finish();
    });

    // The arguments as the system gave them: names of files and folders keep their bytes.
    // QApplication has taken its own options (-platform, -display ...) out of argv.
    std::vector<std::string> arguments;
#if defined(_WIN32)
    for (const QString& argument : QApplication::arguments().mid(1))
        arguments.push_back(argument.toStdString());
#else
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
#endif
    std::string error;
    const auto options = ProgramOptions::Parse(arguments, error);
    if (!options) {
        if (error.empty()) {
            std::printf("Usage: corvane [--simulate] [--hid-log FILE] [--data-dir DIR] [--scale FACTOR] [--screenshot FILE]\n\n"
                        "  --simulate        run on a simulated mouse and open its control window\n"
                        "  --hid-log FILE    write every HID transfer to FILE\n"
                        "  --data-dir DIR    use DIR as the data folder instead of the user's\n"
                        "  --scale FACTOR    draw at 1.0, 1.5 or 2.0 instead of the screen's choice\n"
                        "  --screenshot FILE save the main window's picture to FILE once it shows, then end\n");
            return 0;
        }
        std::fprintf(stderr, "corvane: %s\n", error.c_str());
        return 2;
    }

    const std::filesystem::path resources =
        ResourceFolder(PathFromText(QApplication::applicationDirPath().toStdU16String()));
    SkinImage::SetSkinFolder(QString::fromStdU16String(TextFromPath(resources / "skins")));
    CCorvaneApp program(*options, resources);
    switch (program.Start()) {
    case CCorvaneApp::StartResult::OtherInstance:
        return 0;
    case CCorvaneApp::StartResult::Failed:
        std::fprintf(stderr, "corvane: %s\n", qPrintable(program.FailureMessage()));
        return 1;
    case CCorvaneApp::StartResult::Running:
        break;
    }
    if (!options->screenshot.empty()) {
        // Long enough for the mouse's first answers and the battery's first tick.
        constexpr int kScreenshotDelayMs = 1500;
        QTimer::singleShot(kScreenshotDelayMs, &application,
                           [&program, file = QString::fromStdU16String(TextFromPath(options->screenshot))] {
            if (CCorvaneDlg* window = program.Window(); window == nullptr || !window->grab().save(file))
                std::fprintf(stderr, "corvane: cannot write %s\n", qPrintable(file));
            program.Quit();
        });
    }
    return program.Run();
}
