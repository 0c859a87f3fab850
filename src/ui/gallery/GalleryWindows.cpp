#include "GalleryWindows.h"

#include "CGalleryOwner.h"

#include "app/dialogs/AppDialogSamples.h"

// Windows append their entries here, one per window, with the header that declares it.

const std::vector<GalleryWindow>& GalleryWindows()
{
    static const std::vector<GalleryWindow> windows{
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
    };
    return windows;
}
