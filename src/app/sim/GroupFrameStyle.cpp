#include "app/sim/GroupFrameStyle.h"

#include <QApplication>
#include <qdrawutil.h>
#include <QGroupBox>
#include <QImageReader>
#include <QStyleOption>

namespace {

// Fusion's measures for the frame: the gap above it, and the picture's corners, which
// stay unscaled while its edges stretch.
constexpr int kFusionFrameTopGap = 3;
constexpr int kFusionFrameCorner = 6;

[[nodiscard]] QPixmap ReadPngOnly(const QString& file)
{
    QImageReader reader(file, "png");
    // With detection on, naming the format still asks every plugin whether it reads it.
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace

GroupFrameStyle::GroupFrameStyle() : QProxyStyle(QApplication::style()->name())
{
    if (baseStyle()->name() == QLatin1String(kFusionName))
        m_framePicture = ReadPngOnly(QString::fromLatin1(kFusionFramePicture));
}

void GroupFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const
{
    if (element != PE_FrameGroupBox || m_framePicture.isNull()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // As Fusion places it: below the title, or just below the top edge for a group box
    // with neither a title nor a check box.
    int top = kFusionFrameTopGap;
    const auto* group = qobject_cast<const QGroupBox*>(widget);
    if (!group || group->isCheckable() || !group->title().isEmpty())
        top += qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
    const QMargins corners(kFusionFrameCorner, kFusionFrameCorner, kFusionFrameCorner, kFusionFrameCorner);
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), corners, m_framePicture);
}
