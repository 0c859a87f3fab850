#pragma once

#include "ui/dialogs/CAppDialog.h"

class CEditBox;

// What the add-profile and rename-profile dialogs share: a title, an edit box for the
// name, OK, cancel and the close cross. OK (or Enter) with an empty name shows the
// attention message and keeps the dialog open; otherwise the name is applied and the
// dialog ends with OK. Escape does nothing.
class CProfileNameDlg : public CAppDialog {
public:
    static constexpr int kDesignWidth = 429;
    static constexpr int kDesignHeight = 140;
    static constexpr int kIdTitle = 2012;
    static constexpr int kIdEdit = 2017;
    // The attention message for an empty name.
    static constexpr int kTextEmptyName = 147;

    [[nodiscard]] CEditBox* Edit() const { return m_edit; }

protected:
    struct Layout {
        int titleText;
        UiRect title;  // design units
        UiRect edit;
    };
    CProfileNameDlg(const LanguageTexts& texts, Layout layout, QString initialName, QWidget* parent);

    // Stores a non-empty name where the dialog puts it.
    virtual void ApplyName(const std::u16string& name) = 0;

    void CreateControls(int left, int top, int right, int bottom) override;
    void OnOkClicked() override;

private:

    Layout m_layout;
    QString m_initialName;
    CEditBox* m_edit = nullptr;
};
