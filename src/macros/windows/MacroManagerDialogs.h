#pragma once

#include "macros/windows/MacroManagerServices.h"

class LanguageTexts;
class QWidget;

// Fills every function of the services that is still empty with the program's own
// dialog, shown modally over owner: the attention dialog, the name and rename dialogs and
// the delay, key and move dialogs.
void FillMacroManagerDialogs(MacroManagerServices& services, const LanguageTexts& texts, QWidget* owner);
