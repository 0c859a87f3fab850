#pragma once

#include "ui/CDlgBase.h"

#include <functional>

// A small plain window that stands in for the main window when the gallery or a test
// opens one of the program's windows on its own: it owns the window and answers the
// messages the window sends to its parent through `onMessage` (0 when unset).
class CGalleryOwner : public CDlgBase {
public:
    static constexpr int kDesignWidth = 320;
    static constexpr int kDesignHeight = 200;

    CGalleryOwner();

    std::function<LResult(UiMessage, WParam, LParam)> onMessage;

protected:
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    void CreateControls(int left, int top, int right, int bottom) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
};
