#include "GalleryWindows.h"

#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QCoreApplication>

namespace {
constexpr int kEnglishFontHeight = 16;  // design units, the English control font
}  // namespace

const GalleryWindow* FindGalleryWindow(const QString& name)
{
    for (const GalleryWindow& window : GalleryWindows()) {
        if (window.name.compare(name, Qt::CaseInsensitive) == 0)
            return &window;
    }
    return nullptr;
}

bool LoadGalleryLanguage(LanguageTexts& texts, Language language, double uiScale)
{
    LanguageSources sources;
    sources.programLanguageFolder =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()) / "lang";
    sources.uiScale = uiScale;
    const FileCheck check = ReadLanguageFile(texts, LanguageFile(sources, language), uiScale);
    if (check.ok || language == Language::Chinese)
        UiFont::SetControlFont(texts.Font());
    else
        UiFont::SetControlFont(ControlFont{u"Tahoma", UiScale::Scale(kEnglishFontHeight), 1});
    return check.ok;
}
