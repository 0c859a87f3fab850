#include "app/dialogs/COSDDialog.h"

#include "ui/SkinPainter.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kTitleLeft = 58;
constexpr int kTitleTop = 20;
constexpr int kValueTop = 44;
constexpr int kRateTop = 92;

// Font cell heights in design units; the title and rate are bold.
constexpr int kSmallHeight = 24;
constexpr int kLargeHeight = 48;

const QString kChineseFace = QString::fromUtf16(u"\u5B8B\u4F53");

QFont OsdFont(int designHeight, QFont::Weight weight)
{
    ControlFont description = UiFont::CurrentControlFont();
    description.height = UiScale::Scale(designHeight);
    QFont font = UiFont::MakeFont(description);
    font.setWeight(weight);
    return font;
}

// Text with its top-left corner at (x, y) in design units, unclipped.
void DrawTextAt(QPainter& painter, const QFont& font, int x, int y, const QString& text)
{
    painter.setFont(font);
    painter.drawText(QRect(UiScale::Scale(x), UiScale::Scale(y), 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

}  // namespace

Qt::WindowFlags COSDDialog::WindowFlagsFor(const QString& platformName)
{
    const Qt::WindowFlags type =
        platformName.startsWith(QStringLiteral("wayland")) ? Qt::Tool : Qt::ToolTip;
    return type | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
           Qt::WindowTransparentForInput;
}

COSDDialog::COSDDialog(QWidget* owner) : QWidget(owner, WindowFlagsFor(QGuiApplication::platformName()))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setWindowOpacity(kAlpha / 255.0);
}

void COSDDialog::PlaceOnOwnersScreen()
{
    const QWidget* owner = parentWidget();
    QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect workArea = screen != nullptr ? screen->availableGeometry() : QRect();
    const int width = UiScale::Scale(kDesignWidth);
    const int height = UiScale::Scale(kDesignHeight);
    // QRect's right() and bottom() are the last pixel inside; the corner is one beyond.
    setGeometry(workArea.x() + workArea.width() - width, workArea.y() + workArea.height() - height,
                width, height);
}

void COSDDialog::SetTexts(const OsdTexts& texts)
{
    m_texts = texts;
    // What it shows is what a screen reader says, announced as its name changes.
    setAccessibleName(QStringList{texts.title, texts.value, texts.rate}.join(QLatin1Char(' ')));
    update();
}

int COSDDialog::ValueLeft(const QString& value, bool chineseFace)
{
    switch (value.size()) {
    case 5:
        return chineseFace ? 34 : 16;
    case 4:
        return chineseFace ? 44 : 34;
    default:
        return 50;
    }
}

int COSDDialog::RateLeft(const QString& rate)
{
    return rate.size() == 6 ? 50 : 57;
}

void COSDDialog::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), SkinPainter::FromColorRef(kFillColorRef));
    painter.setPen(Qt::white);
    const bool chineseFace = QString::fromStdU16String(UiFont::CurrentControlFont().face) == kChineseFace;
    const QFont small = OsdFont(kSmallHeight, QFont::Bold);
    DrawTextAt(painter, small, kTitleLeft, kTitleTop, m_texts.title);
    DrawTextAt(painter, OsdFont(kLargeHeight, QFont::Normal), ValueLeft(m_texts.value, chineseFace),
               kValueTop, m_texts.value);
    DrawTextAt(painter, small, RateLeft(m_texts.rate), kRateTop, m_texts.rate);
}
