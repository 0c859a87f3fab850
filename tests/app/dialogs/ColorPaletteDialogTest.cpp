#include "AppDialogTestSupport.h"

#include "app/dialogs/CColorPaletteDlg.h"
#include "profiles/Profile.h"
#include "ui/CStaticText.h"

namespace {

// Points of the palette picture (design units): its red preset swatch, and the
// background between two swatches of the preset area.
constexpr QPoint kRedSwatch{257, 40};
constexpr QPoint kBackgroundInPickArea{271, 40};
constexpr std::uint32_t kRed = 0x0000FF;  // 0x00BBGGRR

class ColorPaletteDialogTest : public AppDialogTest {
protected:
    static QPoint Client(QPoint design)
    {
        return {UiScale::Scale(design.x()), UiScale::Scale(design.y())};
    }
    static QString Number(const CColorPaletteDlg& dialog, int id)
    {
        const auto* label = dynamic_cast<const CStaticText*>(dialog.GetControl(id));
        return label != nullptr ? label->Text() : QStringLiteral("?");
    }
};

TEST_F(ColorPaletteDialogTest, BackgroundPicksNothingAndAColourShowsInSwatchAndNumbers)
{
    Profile profile;
    profile.DPILevelIndication[2] = 0x00C08040;
    CColorPaletteDlg dialog(texts, profile, PaletteTarget::DpiLevelColor, 2, 0, &owner);
    Open(dialog);
    EXPECT_EQ(Number(dialog, CColorPaletteDlg::kIdRed), "64");
    EXPECT_EQ(Number(dialog, CColorPaletteDlg::kIdGreen), "128");
    EXPECT_EQ(Number(dialog, CColorPaletteDlg::kIdBlue), "192");

    MouseDriver mouse(&dialog);
    mouse.Click(Client(kBackgroundInPickArea));
    EXPECT_EQ(dialog.CurrentColor(), 0x00C08040u);
    mouse.Click(Client(kRedSwatch));
    EXPECT_EQ(dialog.CurrentColor(), kRed);
    EXPECT_EQ(Number(dialog, CColorPaletteDlg::kIdRed), "255");
    EXPECT_EQ(Number(dialog, CColorPaletteDlg::kIdGreen), "0");
    EXPECT_EQ(Number(dialog, CColorPaletteDlg::kIdBlue), "0");
    const QImage shot = dialog.grab().toImage();
    EXPECT_EQ(shot.pixelColor(Client({274, 241})), QColor(255, 0, 0));  // the swatch
    EXPECT_EQ(profile.DPILevelIndication[2], 0x00C08040u) << "stored only on OK";

    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.IsEnded());
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
    EXPECT_EQ(profile.DPILevelIndication[2], kRed);
}

TEST_F(ColorPaletteDialogTest, LightingColourGoesToModesThreeAndSixWhateverModeIsCurrent)
{
    UiScale::Set(1.5);
    Profile profile;
    profile.Lighting1FixedColor[5][4] = 0x00112233;
    CColorPaletteDlg dialog(texts, profile, PaletteTarget::LightingColor, 5, 4, &owner);
    Open(dialog);
    EXPECT_EQ(dialog.CurrentColor(), 0x00112233u);
    MouseDriver(&dialog).Click(Client(kRedSwatch));
    MouseDriver(&dialog).Click(CentreOf(dialog, CAppDialog::kIdOk));
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
    EXPECT_EQ(profile.Lighting1FixedColor[3][4], kRed);
    EXPECT_EQ(profile.Lighting1FixedColor[6][4], kRed);
    EXPECT_EQ(profile.Lighting1FixedColor[5][4], 0x00112233u);
}

TEST_F(ColorPaletteDialogTest, LevelBeyondTheEighthIsTheFirstAndTheCrossStoresNothing)
{
    Profile profile;
    profile.DPILevelIndication[0] = 0x00ABCDEF;
    CColorPaletteDlg dialog(texts, profile, PaletteTarget::DpiLevelColor, 9, 0, &owner);
    const int result = RunModal(dialog, [&] {
        EXPECT_EQ(dialog.CurrentColor(), 0x00ABCDEFu);
        MouseDriver(&dialog).Click(Client(kRedSwatch));
        MouseDriver(&dialog).Click(CentreOf(dialog, CAppDialog::kIdCloseCross));
    });
    EXPECT_EQ(result, DialogResult::kCancel);
    EXPECT_EQ(profile.DPILevelIndication[0], 0x00ABCDEFu);
}

}  // namespace
