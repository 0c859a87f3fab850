#pragma once

#include "keyfunc/popups/CMenuPopup.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CMessageWindow;
class LanguageTexts;

// Every list with sample content, as the gallery opens them on their own: the name
// ("function", "dpi", ... "macrolist"), how it is built and its result message.
struct PopupSample {
    QString name;
    std::function<CMenuPopup*(const LanguageTexts&)> make;
    UiMessage resultMessage;
};

[[nodiscard]] const std::vector<PopupSample>& PopupSamples();

// Opens the named list beside the owner's top-left corner, its second entry under the
// pointer; null when there is no such list. The list lives as long as the pointer.
[[nodiscard]] std::unique_ptr<CMenuPopup> OpenPopupSample(const QString& name, CMessageWindow& owner,
                                                          const LanguageTexts& texts);
