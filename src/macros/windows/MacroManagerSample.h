#pragma once

#include <memory>

class CMacroManagerDlg;
class LanguageTexts;
class QWidget;

// The macro manager over a small sample library (folders, macros with key, click, delay
// and move actions), with a macro selected: for the gallery and its screenshots. The
// library lives as long as the program; the window writes it to a file in the temporary
// folder.
[[nodiscard]] std::unique_ptr<CMacroManagerDlg> OpenMacroManagerSample(const LanguageTexts& texts, QWidget* owner);
