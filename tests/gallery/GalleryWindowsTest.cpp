#include "CGalleryOwner.h"
#include "GalleryWindows.h"

#include "ui/OpenDialogList.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"
#include "ui/UiState.h"

#include <QApplication>
#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// Every window of the gallery's table opens over the stand-in owner at the three scales
// in both languages; each is saved under <build>/screenshots for review.
TEST(GalleryWindowsTest, EveryWindowOpensAtEveryScaleInBothLanguages)
{
    QSet<QString> names;
    for (const GalleryWindow& window : GalleryWindows()) {
        EXPECT_FALSE(names.contains(window.name.toLower())) << window.name.toStdString();
        names.insert(window.name.toLower());
        EXPECT_EQ(FindGalleryWindow(window.name.toUpper()), &window);
    }
    EXPECT_EQ(FindGalleryWindow(QStringLiteral("no such window")), nullptr);

    QDir().mkpath(QStringLiteral(CORVANE_SCREENSHOT_DIR));
    for (const double scale : {1.0, 1.5, 2.0}) {
        for (const Language language : {Language::English, Language::Chinese}) {
            UiScale::Set(scale);
            LanguageTexts texts;
            ASSERT_TRUE(LoadGalleryLanguage(texts, language, scale));
            for (const GalleryWindow& entry : GalleryWindows()) {
                CGalleryOwner owner;
                owner.InitDialog();
                owner.show();
                GalleryContext context{owner, texts, language};
                std::unique_ptr<QWidget> window = entry.open(context);
                ASSERT_NE(window, nullptr) << entry.name.toStdString();
                window->show();
                QApplication::processEvents();
                const QImage shot = window->grab().toImage();
                EXPECT_EQ(shot.size(), window->size() * window->devicePixelRatioF());
                EXPECT_FALSE(window->size().isEmpty());
                const QString file = QStringLiteral(CORVANE_SCREENSHOT_DIR "/window-%1-%2-%3.png")
                                         .arg(entry.name, QString::number(scale, 'f', 1),
                                              language == Language::English ? QStringLiteral("en")
                                                                            : QStringLiteral("zh"));
                EXPECT_TRUE(shot.save(file)) << file.toStdString();
                window.reset();
                QApplication::processEvents();
            }
        }
    }
    UiScale::Set(1.0);
    UiFont::SetControlFont(ControlFont{});
    UiState::Instance().Reset();
    OpenDialogList::Clear();
}

}  // namespace
