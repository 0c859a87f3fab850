#include "ui/SkinPainter.h"

#include <QFontMetrics>
#include <QPainter>

QColor SkinPainter::FromColorRef(std::uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

void SkinPainter::FillRect(QPainter& painter, const UiRect& rect, std::uint32_t colorRef)
{
    if (!rect.IsEmpty())
        painter.fillRect(rect.ToQRect(), FromColorRef(colorRef));
}

void SkinPainter::DrawText(QPainter& painter, const QFont& font, std::uint32_t colorRef,
                           const UiRect& rect, unsigned format, const QString& text)
{
    if (text.isEmpty() || rect.IsEmpty())
        return;
    const bool singleLine = (format & TextFormat::kSingleLine) != 0;
    const QFontMetrics metrics(font);

    QString shown = text;
    if ((format & TextFormat::kWordEllipsis) && (singleLine || !(format & TextFormat::kWordBreak)))
        shown = metrics.elidedText(text, Qt::ElideRight, rect.Width());

    const QFont oldFont = painter.font();
    const QPen oldPen = painter.pen();
    painter.setFont(font);
    painter.setPen(FromColorRef(colorRef));

    if (singleLine) {
        // One line placed by its cell (ascent + descent), as the classic text call
        // does: centred, at the top or at the bottom, and clipped to the rectangle.
        const int width = metrics.horizontalAdvance(shown);
        int x = rect.left;
        if (format & TextFormat::kCenter)
            x = rect.left + (rect.Width() - width) / 2;
        else if (format & TextFormat::kRight)
            x = rect.right - width;
        const int cell = metrics.ascent() + metrics.descent();
        int baseline = rect.top + metrics.ascent();
        if (format & TextFormat::kVCenter)
            baseline = rect.top + (rect.Height() - cell) / 2 + metrics.ascent();
        else if (format & TextFormat::kBottom)
            baseline = rect.bottom - metrics.descent();
        // Clipping costs a painter state change, so it is set only for a line that
        // would reach outside the rectangle.
        const bool clip = !(format & TextFormat::kNoClip) &&
                          (cell > rect.Height() || width > rect.Width() || x < rect.left);
        if (clip) {
            painter.save();
            painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
        }
        painter.drawText(QPoint(x, baseline), shown);
        if (clip)
            painter.restore();
    } else {
        int flags = Qt::AlignTop;
        if (format & TextFormat::kCenter)
            flags |= Qt::AlignHCenter;
        else if (format & TextFormat::kRight)
            flags |= Qt::AlignRight;
        else
            flags |= Qt::AlignLeft;
        if (format & TextFormat::kWordBreak)
            flags |= Qt::TextWordWrap;
        if (format & TextFormat::kNoClip)
            flags |= Qt::TextDontClip;
        painter.drawText(rect.ToQRect(), flags, shown);
    }

    painter.setPen(oldPen);
    painter.setFont(oldFont);
}
