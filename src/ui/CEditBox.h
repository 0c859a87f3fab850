#pragma once

#include "ui/UiMessages.h"
#include "ui/UiRect.h"

#include <QColor>
#include <QLineEdit>

class CMessageWindow;

// Text and background of an edit box.
struct EditBoxColors {
    QColor text;
    QColor background;

    static EditBoxColors Standard() { return {QColor(0, 0, 0), QColor(255, 255, 255)}; }
    // The macro manager's dark boxes.
    static EditBoxColors Dark() { return {QColor(180, 180, 180), QColor(20, 20, 20)}; }
};

// What an edit box lets through.
enum class EditBoxFilter {
    None,
    // Digits only: any other character is reported to the dialog (kNonDigitTyped), which
    // shows its notice; the character is still entered.
    DigitsReported,
};

// Whether a programmatic text change sends the change notice.
enum class EditNotice { Send, Suppress };

// The dialogs' text field: a real line edit on the skinned window, placed by its design
// rectangle times UiScale, borderless, centred, in "Tahoma" at UiScale x 10 points over
// DpiRatio. Every key press passes through its dialog first (an event filter), so the
// dialog decides what Enter, Escape and other keys do; text changes notify the dialog
// with (id, 0, kChangeCode).
//
// The box holds one line: line breaks and other control characters are dropped from
// whatever enters it (typing, pasting, dropping, an input method, SetText), since names
// and values typed here are written into line-based files.
class CEditBox : public QLineEdit {
public:
    static constexpr LParam kChangeCode = 0x0300;
    // wParam = the box's id, lParam = the character (UTF-16 unit) that was typed.
    static constexpr UiMessage kNonDigitTyped = Msg::kUser + 0x300;

    CEditBox(CMessageWindow* dialog, int id, const UiRect& designRect,
             EditBoxColors colors = EditBoxColors::Standard(), EditBoxFilter filter = EditBoxFilter::None);

    [[nodiscard]] int GetId() const { return m_id; }
    void SetText(const QString& text, EditNotice notice = EditNotice::Suppress);
    [[nodiscard]] QString GetText() const { return text(); }
    // The text read as a decimal integer; 0 when it is not one.
    [[nodiscard]] int GetInt() const;
    // Caret to the end of the text and the keyboard focus to the box, as a dialog does
    // with the box it opens on.
    void FocusAtEnd();

    // The text without line breaks (LF, CR, the Unicode line and paragraph separators) and
    // other control characters.
    [[nodiscard]] static QString SingleLine(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CMessageWindow* m_dialog;
    int m_id;
    EditBoxFilter m_filter;
    bool m_noticeSuppressed = false;
};
