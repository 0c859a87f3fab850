#include "KeyDialogTestSupport.h"

#include "keyfunc/dialogs/CFireKeyDlg.h"
#include "keyfunc/dialogs/CQuickLaunchDlg.h"
#include "keyfunc/dialogs/CShortcutDlg.h"

#include <functional>
#include <memory>
#include <tuple>

namespace {

using Scale = double;

// Each dialog at each scale in both languages (the gallery's test saves the pictures):
// the size, that the button pictures were drawn, and that the captions came from the
// language file.
class KeyDialogLooksTest : public KeyDialogTest,
                                public testing::WithParamInterface<std::tuple<Scale, TestLanguage>> {};

}  // namespace

TEST_P(KeyDialogLooksTest, EveryDialogAtTheScaleAndLanguage)
{
    const auto [scale, language] = GetParam();
    UiScale::Set(scale);
    const LanguageTexts texts = LoadTexts(language, scale);
    ASSERT_FALSE(texts.Text(CKeyFunctionDlg::kTextOk).empty());
    UiFont::SetControlFont(texts.Font());

    ResultOwner owner(0);
    owner.InitDialog();
    const std::pair<QString, std::function<std::unique_ptr<CKeyFunctionDlg>()>> dialogs[] = {
        {QStringLiteral("shortcut"), [&] { return std::make_unique<CShortcutDlg>(&owner, texts); }},
        {QStringLiteral("firekey"), [&] { return std::make_unique<CFireKeyDlg>(&owner, texts); }},
        {QStringLiteral("quicklaunch"),
         [&] { return std::make_unique<CQuickLaunchDlg>(&owner, texts, [](QWidget*) { return QString(); }); }},
    };
    for (const auto& [name, make] : dialogs) {
        SCOPED_TRACE(name.toStdString());
        std::unique_ptr<CKeyFunctionDlg> dialog = make();
        dialog->InitDialog();
        dialog->show();
        QCoreApplication::processEvents();
        const QImage shot = dialog->grab().toImage();
        EXPECT_EQ(shot.size(), QSize(UiScale::Scale(CKeyFunctionDlg::kDesignWidth),
                                     UiScale::Scale(CKeyFunctionDlg::kDesignHeight)));
        // The OK caption sits on the button picture, not on the dialog's fill colour.
        const QPoint okCentre = CentreOf(*dialog, CKeyFunctionDlg::kIdOk);
        EXPECT_NE(shot.pixelColor(okCentre), shot.pixelColor(QPoint(shot.width() / 2, 2)));
        EXPECT_EQ(dialog->GetControl(CKeyFunctionDlg::kIdOk)->GetCaption(),
                  QString::fromStdU16String(texts.Text(CKeyFunctionDlg::kTextOk)));
    }
}

INSTANTIATE_TEST_SUITE_P(ScalesAndLanguages, KeyDialogLooksTest,
                         testing::Combine(testing::Values(1.0, 1.5, 2.0),
                                          testing::Values(TestLanguage::English, TestLanguage::Chinese)));
