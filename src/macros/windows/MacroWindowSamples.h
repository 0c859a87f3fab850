#pragma once

#include <memory>

class CMessageWindow;
class LanguageTexts;
class MacroLibrary;
class QWidget;

// The macro windows over sample data, for the gallery and the screenshot tests. Each
// window owns its sample data; owner stands in for the window that opens it.
namespace MacroWindowSamples {

// A small library: two folders (one with a subfolder) and loose macros, enough rows to
// scroll in the manager's narrow tree.
void FillSampleLibrary(MacroLibrary& library);

[[nodiscard]] std::unique_ptr<QWidget> KeyDialog(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> DelayDialog(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> MoveDialog(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> NameDialog(CMessageWindow& owner, const LanguageTexts& texts);
[[nodiscard]] std::unique_ptr<QWidget> RenameDialog(CMessageWindow& owner, const LanguageTexts& texts);
// The selection window with its first folder opened and a macro in it highlighted.
[[nodiscard]] std::unique_ptr<QWidget> SelectionWindow(CMessageWindow& owner, const LanguageTexts& texts);

}  // namespace MacroWindowSamples
