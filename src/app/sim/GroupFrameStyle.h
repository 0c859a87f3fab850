#pragma once

#include <QPixmap>
#include <QProxyStyle>

// The application's style, except that under Fusion a group box's frame is drawn from
// Fusion's own frame picture read by the PNG reader alone. Fusion reads that picture with
// QPixmap(file), and Qt's image reader then loads every image format plugin installed
// (SVG, JPEG, GIF, ICO and the libraries behind them, about half a megabyte resident) only
// to ask each whether it reads PNG. Under any other style nothing changes.
class GroupFrameStyle : public QProxyStyle {
public:
    // Fusion's picture for a group box frame, in Qt's own resources.
    static constexpr char kFusionFramePicture[] = ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
    // The style's name for Fusion, as QStyle::name() gives it.
    static constexpr char kFusionName[] = "fusion";

    // Over a new instance of the application's current style.
    GroupFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // The frame picture as this style reads it; null when the style is not Fusion.
    [[nodiscard]] const QPixmap& FramePicture() const { return m_framePicture; }

private:
    QPixmap m_framePicture;
};
