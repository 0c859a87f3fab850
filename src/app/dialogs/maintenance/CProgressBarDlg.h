#pragma once

#include "ui/dialogs/CFramedDlg.h"

class CStaticText;

// The short progress window shown after the program has written to the mouse: the bar
// grows by 2 every 10 ms from its current fill to 100, then the dialog ends 20 ms later.
// A timer on the UI thread drives it. OK (2010) and the cross end it at once.
class CProgressBarDlg : public CFramedDlg {
public:
    static constexpr int kDesignWidth = 429;
    static constexpr int kDesignHeight = 72;
    static constexpr int kIdMessage = 2012;
    static constexpr unsigned kGrowTimer = 1;
    static constexpr unsigned kEndTimer = 2;
    static constexpr int kGrowIntervalMs = 10;
    static constexpr int kEndDelayMs = 20;
    static constexpr int kFillStep = 2;
    static constexpr int kFullFill = 100;
    static constexpr int kTextOk = 4;

    CProgressBarDlg(QWidget* owner, const LanguageTexts& texts, QString message);

    // Shows the dialog modally with the message; returns when the bar is full or the user
    // closed it.
    static int ShowProgress(QWidget* owner, const LanguageTexts& texts, const QString& message);

    [[nodiscard]] int Fill() const { return m_fill; }
    // The bar's drawn width in design units.
    [[nodiscard]] int BarDesignWidth() const { return m_fill * kDesignWidth / kFullFill; }

protected:
    bool OnInitDialog() override;
    void CreateControls(int left, int top, int right, int bottom) override;
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;

private:
    LResult OnOkButton(WParam wParam, LParam lParam);
    LResult OnCross(WParam wParam, LParam lParam);
    LResult OnTimer(WParam wParam, LParam lParam);
    void Finish(int result);

    QString m_message;
    SkinImage m_bar;
    int m_fill = 0;
};
