#pragma once

#include "app/dialogs/DpiAxisControls.h"
#include "ui/dialogs/CAppDialog.h"

class CDPIValueShowControl;
class DpiStepTable;

// What the two DPI value dialogs share: the frame with its title, close cross, OK button
// and hidden cancel button, and the X row. The dialog starts at the
// positions the main window's DPI bar carries and writes the chosen ones back into it on
// OK.
class CDPIValueDlgBase : public CAppDialog {
public:
    static constexpr int kIdTitle = 2012;
    static constexpr int kTextTitle = 273;
    // Names the DPI rows for assistive technology.
    static constexpr int kTextDpi = 11;

    [[nodiscard]] int XPosition() const { return m_x.Position(); }
    [[nodiscard]] DpiAxisControls& XAxis() { return m_x; }

protected:
    CDPIValueDlgBase(CDPIValueShowControl& bar, const DpiStepTable& table, const LanguageTexts& texts,
                     QString frame, int designHeight, QWidget* parent);

    // The title, the close cross, the OK button at okRect (design units), the hidden
    // cancel button and the X row.
    void CreateFrameControls(const UiRect& okRect, const QString& xMinimumFormat);

    CDPIValueShowControl& m_bar;
    DpiAxisControls m_x;
};
