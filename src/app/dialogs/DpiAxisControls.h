#pragma once

#include <QString>

class CDlgBase;
class CSliderControl;
class CStaticText;
class DpiStepTable;
class CEditBox;

// One axis row of a DPI dialog: the lowest and highest DPI beside a stepped slider on
// its track, the edit box with the DPI value, and a hidden label kept in step with it.
// The row holds the axis' position in the DPI step table and shows it on every change.
class DpiAxisControls {
public:
    struct Ids {
        int valueLabel;  // the hidden value label
        int edit;
        int slider;
    };
    // Ids and vertical design offset of the two rows.
    static constexpr Ids kXIds{2013, 2017, 2021};
    static constexpr Ids kYIds{2014, 2018, 2022};
    static constexpr int kYRowOffset = 89;
    static constexpr int kLabelId = 2012;
    static constexpr int kTrackId = 2020;

    DpiAxisControls(const DpiStepTable& table, Ids ids, int rowOffset);

    // Creates the row's controls at the starting position; minimumFormat is "%1", "X:%1"
    // or "Y:%1" for the lowest DPI.
    void Create(CDlgBase& dialog, const QString& minimumFormat, int position);

    [[nodiscard]] int Position() const { return m_position; }
    // Sets the position (kept within the table) and shows it.
    void SetPosition(int position);
    // Shows the position: the slider's thumb, the hidden label and the edit box.
    void Show();
    // The position the edit box's text selects (rounding up to the next step).
    [[nodiscard]] int TypedPosition() const;
    // One step down (-1) or up (+1), never past either end; returns whether it moved.
    bool Step(int direction);
    [[nodiscard]] int LastPosition() const;

    // Names the slider and the edit box for assistive technology.
    void SetAccessibleName(const QString& name);

    [[nodiscard]] CSliderControl* Slider() const { return m_slider; }
    [[nodiscard]] CEditBox* Edit() const { return m_edit; }
    [[nodiscard]] CStaticText* ValueLabel() const { return m_valueLabel; }

private:
    const DpiStepTable& m_table;
    Ids m_ids;
    int m_rowOffset;
    int m_position = 0;
    CDlgBase* m_dialog = nullptr;
    CSliderControl* m_slider = nullptr;
    CStaticText* m_valueLabel = nullptr;
    CEditBox* m_edit = nullptr;
};
