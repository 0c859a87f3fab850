#include "CGalleryOwner.h"

#include "ui/UiScale.h"

#include <QPainter>

CGalleryOwner::CGalleryOwner()
{
    SetDialogRole(DialogRole::Main);
    SetFrameSize(UiScale::Scale(kDesignWidth), UiScale::Scale(kDesignHeight));
    setWindowTitle(QStringLiteral("Gaming Mouse"));
}

void CGalleryOwner::DrawBackground(QPainter& painter, const UiRect& clip)
{
    painter.fillRect(rect(), QColor(0x26, 0x26, 0x26));
    DrawControls(painter, clip);
}

void CGalleryOwner::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}

LResult CGalleryOwner::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    // The stand-in never closes itself on the keys a real main window ignores.
    if (onMessage && message != Msg::kClose)
        return onMessage(message, wParam, lParam);
    return CDlgBase::OnMessage(message, wParam, lParam);
}
