#include "GalleryWindows.h"

#include "CGalleryOwner.h"
#include "GallerySimulatedMouse.h"

#include "CCheckFWDlg.h"
#include "CFirmwareResetDlg.h"
#include "CParingDlg.h"
#include "CProgressBarDlg.h"
#include "keyfunc/popups/PopupSamples.h"
#include "keyfunc/dialogs/CFireKeyDlg.h"
#include "keyfunc/dialogs/CQuickLaunchDlg.h"
#include "keyfunc/dialogs/CShortcutDlg.h"

#include "app/dialogs/AppDialogSamples.h"
#include "macros/windows/CMacroManagerDlg.h"
#include "macros/windows/MacroManagerSample.h"
#include "macros/windows/MacroWindowSamples.h"

#include <memory>

// Windows append their entries here, one per window, with the header that declares it.

namespace {

constexpr int kTextResetDone = 146;
constexpr std::size_t kTestImageSize = 8192;

// The stand-in owner answers the pairing request by having the receiver report its mouse
// on line, so the dialog pairs on its next tick.
std::unique_ptr<QWidget> OpenParing(GalleryContext& context)
{
    auto online = std::make_shared<bool>(false);
    context.owner.onMessage = [online](UiMessage message, WParam, LParam) -> LResult {
        if (message == CParingDlg::kPairingRequest)
            *online = true;
        return 0;
    };
    auto dialog = std::make_unique<CParingDlg>(&context.owner, context.texts, [online] { return *online; });
    dialog->InitDialog();
    return dialog;
}

std::unique_ptr<QWidget> OpenFirmwareReset(GalleryContext& context)
{
    auto dialog = std::make_unique<CFirmwareResetDlg>(&context.owner, context.texts);
    dialog->InitDialog();
    return dialog;
}

std::unique_ptr<QWidget> OpenProgress(GalleryContext& context)
{
    auto dialog = std::make_unique<CProgressBarDlg>(
        &context.owner, context.texts, QString::fromStdU16String(context.texts.Text(kTextResetDone)));
    dialog->InitDialog();
    return dialog;
}

// The firmware window runs its update against a simulated mouse on virtual time.
std::unique_ptr<QWidget> OpenFirmware(GalleryContext& context)
{
    auto* mouse = new GallerySimulatedMouse();
    const std::vector<std::uint8_t> image = GallerySimulatedMouse::TestAppImage(kTestImageSize);
    auto dialog = std::make_unique<CCheckFWDlg>(&context.owner, context.texts, mouse->Updater(), image,
                                                std::span<const std::uint8_t>());
    mouse->setParent(dialog.get());
    dialog->InitDialog();
    return dialog;
}

// The key-function dialogs as the main window opens them; the quick-launch browse button
// opens the desktop's file dialog.
template <class Dialog>
std::unique_ptr<QWidget> OpenKeyFunctionDialog(GalleryContext& context)
{
    auto dialog = std::make_unique<Dialog>(&context.owner, context.texts);
    dialog->InitDialog();
    return dialog;
}

}  // namespace

const std::vector<GalleryWindow>& GalleryWindows()
{
    static const std::vector<GalleryWindow> windows{
        {QStringLiteral("pairing"), OpenParing},
        {QStringLiteral("factory-reset"), OpenFirmwareReset},
        {QStringLiteral("progress"), OpenProgress},
        {QStringLiteral("firmware"), OpenFirmware},
        {QStringLiteral("popup-function"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("function"), c.owner, c.texts); }},
        {QStringLiteral("popup-dpi"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("dpi"), c.owner, c.texts); }},
        {QStringLiteral("popup-multimedia"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("multimedia"), c.owner, c.texts); }},
        {QStringLiteral("popup-office"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("office"), c.owner, c.texts); }},
        {QStringLiteral("popup-windows"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("windows"), c.owner, c.texts); }},
        {QStringLiteral("popup-dpilock"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("dpilock"), c.owner, c.texts); }},
        {QStringLiteral("popup-rate"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("rate"), c.owner, c.texts); }},
        {QStringLiteral("popup-lighting"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("lighting"), c.owner, c.texts); }},
        {QStringLiteral("popup-profile"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("profile"), c.owner, c.texts); }},
        {QStringLiteral("popup-profileactions"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("profileactions"), c.owner, c.texts); }},
        {QStringLiteral("popup-insertaction"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("insertaction"), c.owner, c.texts); }},
        {QStringLiteral("popup-macrolist"), [](GalleryContext& c) { return OpenPopupSample(QStringLiteral("macrolist"), c.owner, c.texts); }},
        {QStringLiteral("shortcut"), OpenKeyFunctionDialog<CShortcutDlg>},
        {QStringLiteral("fire-key"), OpenKeyFunctionDialog<CFireKeyDlg>},
        {QStringLiteral("quick-launch"), OpenKeyFunctionDialog<CQuickLaunchDlg>},
        {QStringLiteral("osd"), [](GalleryContext& c) { return AppDialogSamples::OnScreenDisplay(c.owner); }},
        {QStringLiteral("dpi-value"), [](GalleryContext& c) { return AppDialogSamples::DpiValue(c.owner, c.texts); }},
        {QStringLiteral("dpi-value-sync"),
         [](GalleryContext& c) { return AppDialogSamples::DpiValueSync(c.owner, c.texts); }},
        {QStringLiteral("attention"), [](GalleryContext& c) { return AppDialogSamples::Attention(c.owner, c.texts); }},
        {QStringLiteral("add-profile"),
         [](GalleryContext& c) { return AppDialogSamples::AddProfile(c.owner, c.texts); }},
        {QStringLiteral("edit-profile"),
         [](GalleryContext& c) { return AppDialogSamples::EditProfile(c.owner, c.texts); }},
        {QStringLiteral("color-palette"),
         [](GalleryContext& c) { return AppDialogSamples::ColorPalette(c.owner, c.texts); }},
        {QStringLiteral("macro-key"), [](GalleryContext& c) { return MacroWindowSamples::KeyDialog(c.owner, c.texts); }},
        {QStringLiteral("macro-delay"),
         [](GalleryContext& c) { return MacroWindowSamples::DelayDialog(c.owner, c.texts); }},
        {QStringLiteral("macro-move"), [](GalleryContext& c) { return MacroWindowSamples::MoveDialog(c.owner, c.texts); }},
        {QStringLiteral("macro-name"), [](GalleryContext& c) { return MacroWindowSamples::NameDialog(c.owner, c.texts); }},
        {QStringLiteral("macro-rename"),
         [](GalleryContext& c) { return MacroWindowSamples::RenameDialog(c.owner, c.texts); }},
        {QStringLiteral("macro-select"),
         [](GalleryContext& c) { return MacroWindowSamples::SelectionWindow(c.owner, c.texts); }},
        {QStringLiteral("macro-manager"),
         [](GalleryContext& c) -> std::unique_ptr<QWidget> { return OpenMacroManagerSample(c.texts, &c.owner); }},
    };
    return windows;
}
