#pragma once

#include <memory>

class CMessageWindow;
class LanguageTexts;
class QWidget;

// The application's dialogs and the on-screen display over sample data, for the gallery
// and the screenshot tests. Each window owns its sample data; owner stands in for the
// main window.
namespace AppDialogSamples {

[[nodiscard]] std::unique_ptr<QWidget> OnScreenDisplay(CMessageWindow& owner);
[[nodiscard]] std::unique_ptr<QWidget> DpiValue(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> DpiValueSync(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> Attention(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> AddProfile(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> EditProfile(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> ColorPalette(CMessageWindow& owner, const LanguageTexts& texts);

}  // namespace AppDialogSamples
