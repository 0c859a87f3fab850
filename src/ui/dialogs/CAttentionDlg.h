#pragma once

#include "ui/dialogs/CAppDialog.h"

// The program's message box: one message, centred and word-wrapped, with OK and the
// close cross. The title is accepted but not shown. Enter ends it as OK and Escape as
// cancel, as on any platform dialog.
class CAttentionDlg : public CAppDialog {
public:
    static constexpr int kDesignWidth = 319;
    static constexpr int kDesignHeight = 102;
    static constexpr int kIdMessage = 2013;
    // The title every caller passes.
    static constexpr int kTextTitle = 150;

    CAttentionDlg(const LanguageTexts& texts, QString title, QString message, QWidget* parent = nullptr);

    [[nodiscard]] const QString& Message() const { return m_message; }

    // Shows language text `messageNumber` with the usual title, modal over parent.
    static int Show(const LanguageTexts& texts, int messageNumber, QWidget* parent);

protected:
    void CreateControls(int left, int top, int right, int bottom) override;

private:
    QString m_title;
    QString m_message;
};
