#include "app/dialogs/AppDialogSamples.h"

#include "app/dialogs/CAddProfileDlg.h"
#include "app/dialogs/CColorPaletteDlg.h"
#include "app/dialogs/CDPIValueSettingDlg.h"
#include "app/dialogs/CDPIValueSyncSettingDlg.h"
#include "app/dialogs/CEditProfileDlg.h"
#include "app/dialogs/COSDDialog.h"
#include "device/DpiStepTable.h"
#include "profiles/AppSettings.h"
#include "profiles/Profile.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/dialogs/CAttentionDlg.h"
#include "ui/dialogs/DialogParts.h"

#include <QObject>

namespace {

constexpr int kSampleBarId = 3300;
constexpr int kAttentionSample = 175;

// The data a sample window works on. It becomes a child of the window once the window
// exists, so it lives exactly as long as the window.
struct SampleData : QObject {
    SampleData(CMessageWindow& owner, std::uint16_t sensor)
    {
        (void)table.Build(sensor);
        bar = std::make_unique<CDPIValueShowControl>(&owner, kSampleBarId, UiRect{0, 0, 20, 100},
                                                     static_cast<int>(table.PositionCount()), 0, 0);
        profile.SetSetting(ProfileSetting::ProfileName, u"Profile 1");
        profile.DPILevelIndication[0] = 0x00DEA035;
        settings.SetProfileShowCount(3);
    }

    DpiStepTable table;
    std::unique_ptr<CDPIValueShowControl> bar;
    Profile profile;
    AppSettings settings;
};

template <class Dialog>
std::unique_ptr<QWidget> Initialised(std::unique_ptr<Dialog> dialog, std::unique_ptr<SampleData> data)
{
    data.release()->setParent(dialog.get());
    dialog->InitDialog();
    return dialog;
}

}  // namespace

std::unique_ptr<QWidget> AppDialogSamples::OnScreenDisplay(CMessageWindow& owner)
{
    auto display = std::make_unique<COSDDialog>(&owner);
    display->PlaceOnOwnersScreen();
    display->SetTexts({QStringLiteral("DPI-3"), QStringLiteral("1600"), QStringLiteral("1000Hz")});
    return display;
}

std::unique_ptr<QWidget> AppDialogSamples::DpiValue(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>(owner, 0x3205);
    data->bar->SetValue(8);
    auto dialog = std::make_unique<CDPIValueSettingDlg>(*data->bar, data->table, texts, &owner);
    return Initialised(std::move(dialog), std::move(data));
}

std::unique_ptr<QWidget> AppDialogSamples::DpiValueSync(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>(owner, 0x3395);
    data->bar->SetValue(31);
    data->bar->SetSecondValue(63);
    auto dialog = std::make_unique<CDPIValueSyncSettingDlg>(*data->bar, data->table, texts, &owner);
    return Initialised(std::move(dialog), std::move(data));
}

std::unique_ptr<QWidget> AppDialogSamples::Attention(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto dialog = std::make_unique<CAttentionDlg>(texts, DialogParts::LanguageText(texts, CAttentionDlg::kTextTitle),
                                                  DialogParts::LanguageText(texts, kAttentionSample), &owner);
    dialog->InitDialog();
    return dialog;
}

std::unique_ptr<QWidget> AppDialogSamples::AddProfile(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>(owner, 0x3311);
    auto dialog = std::make_unique<CAddProfileDlg>(texts, data->settings, data->profile, &owner);
    return Initialised(std::move(dialog), std::move(data));
}

std::unique_ptr<QWidget> AppDialogSamples::EditProfile(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>(owner, 0x3311);
    auto dialog = std::make_unique<CEditProfileDlg>(texts, data->profile, &owner);
    return Initialised(std::move(dialog), std::move(data));
}

std::unique_ptr<QWidget> AppDialogSamples::ColorPalette(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>(owner, 0x3311);
    auto dialog = std::make_unique<CColorPaletteDlg>(texts, data->profile, PaletteTarget::DpiLevelColor, 0, 0,
                                                     &owner);
    return Initialised(std::move(dialog), std::move(data));
}
