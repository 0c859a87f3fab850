#pragma once

#include "profiles/LanguageLoader.h"
#include "profiles/LanguageTexts.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class CGalleryOwner;

// What a window of the table is opened with: the stand-in main window as its owner and
// the language texts it shows.
struct GalleryContext {
    CGalleryOwner& owner;
    const LanguageTexts& texts;
    Language language = Language::English;
};

// One window the gallery can open by name. `open` builds the window over the owner with
// sample content and initialises it; the gallery shows it (or runs it modally) and takes
// its screenshot.
struct GalleryWindow {
    QString name;
    std::function<std::unique_ptr<QWidget>(GalleryContext&)> open;
};

// Every window of the program that can be opened on its own, in one table
// (GalleryWindows.cpp) that each window's developer appends to.
[[nodiscard]] const std::vector<GalleryWindow>& GalleryWindows();
[[nodiscard]] const GalleryWindow* FindGalleryWindow(const QString& name);

// Reads the language shipped beside the program (lang/ in the program's folder) and
// makes its font the control font. False when the file could not be read.
bool LoadGalleryLanguage(LanguageTexts& texts, Language language, double uiScale);
