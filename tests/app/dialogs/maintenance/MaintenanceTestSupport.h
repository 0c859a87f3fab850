#pragma once

#include "TestDialog.h"

#include "profiles/LanguageTexts.h"
#include "ui/CControlBase.h"
#include "ui/OpenDialogList.h"

#include <string>

// Language texts that name themselves: text n reads "T<n>", so a test sees which text
// a window shows.
inline LanguageTexts NumberedTexts()
{
    LanguageTexts texts;
    for (std::size_t n = 0; n < LanguageTexts::kCount; ++n) {
        const std::string text = "T" + std::to_string(n);
        texts.SetText(n, std::u16string(text.begin(), text.end()));
    }
    return texts;
}

inline QString T(int number)
{
    return QStringLiteral("T%1").arg(number);
}

// The centre of a control, for clicking it with the mouse.
inline QPoint CentreOf(const CDlgBase& dialog, int id)
{
    const CControlBase* control = dialog.GetControl(id);
    EXPECT_NE(control, nullptr) << "control " << id;
    if (control == nullptr)
        return {};
    return control->GetRect().ToQRect().center();
}

// The owner stands in for the main window; it records what the dialogs send it.
class MaintenanceTest : public OwnerTest {
protected:
    LanguageTexts texts = NumberedTexts();
};
