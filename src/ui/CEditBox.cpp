#include "ui/CEditBox.h"

#include "ui/CMessageWindow.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QKeyEvent>
#include <QPalette>
#include <QPointer>
#include <QValidator>

namespace {

// Applied by the line edit to every change of its text, however it came: the cleaned
// text replaces the change, with the caret moved back by what was dropped before it.
class SingleLineValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        const QString cleanBefore = CEditBox::SingleLine(input.left(position));
        const QString clean = cleanBefore + CEditBox::SingleLine(input.mid(position));
        if (clean.size() != input.size()) {
            input = clean;
            position = static_cast<int>(cleanBefore.size());
        }
        return Acceptable;
    }
};

bool BreaksTheLine(QChar character)
{
    switch (character.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

}  // namespace

CEditBox::CEditBox(CMessageWindow* dialog, int id, const UiRect& designRect, EditBoxColors colors,
                   EditBoxFilter filter)
    : QLineEdit(dialog), m_dialog(dialog), m_id(id), m_filter(filter)
{
    const int left = UiScale::Scale(designRect.left);
    const int top = UiScale::Scale(designRect.top);
    setGeometry(left, top, UiScale::Scale(designRect.right) - left, UiScale::Scale(designRect.bottom) - top);
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    setFont(UiFont::EditFont(UiScale::DpiRatio()));
    QPalette colours = palette();
    colours.setColor(QPalette::Text, colors.text);
    colours.setColor(QPalette::Base, colors.background);
    setPalette(colours);
    setAutoFillBackground(true);

    setValidator(new SingleLineValidator(this));
    if (dialog != nullptr)
        installEventFilter(dialog);
    QObject::connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_noticeSuppressed && m_dialog != nullptr)
            m_dialog->SendMessage(static_cast<UiMessage>(m_id), 0, kChangeCode);
    });
    show();
}

void CEditBox::SetText(const QString& text, EditNotice notice)
{
    m_noticeSuppressed = notice == EditNotice::Suppress;
    setText(text);
    m_noticeSuppressed = false;
}

QString CEditBox::SingleLine(const QString& text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar character : text) {
        if (!BreaksTheLine(character))
            line.append(character);
    }
    return line;
}

int CEditBox::GetInt() const
{
    bool valid = false;
    const int value = text().trimmed().toInt(&valid);
    return valid ? value : 0;
}

void CEditBox::FocusAtEnd()
{
    end(false);
    setFocus(Qt::OtherFocusReason);
}

void CEditBox::keyPressEvent(QKeyEvent* event)
{
    QPointer<CEditBox> alive(this);
    if (m_filter == EditBoxFilter::DigitsReported && m_dialog != nullptr) {
        // Only typed characters are checked: editing keys and shortcuts carry no text.
        const QString typed = event->text();
        for (const QChar character : typed) {
            if (character.isPrint() && !(character >= u'0' && character <= u'9')) {
                // The dialog may run its notice modally; the box may be gone after it.
                m_dialog->SendMessage(kNonDigitTyped, static_cast<WParam>(m_id), character.unicode());
                break;
            }
        }
    }
    if (!alive.isNull())
        QLineEdit::keyPressEvent(event);
}
