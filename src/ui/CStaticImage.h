#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinImage.h"

// One image stretched over the control; never interactive.
class CStaticImage : public CControlBase {
public:
    CStaticImage(CMessageWindow* parent, int id, const UiRect& rect, QString caption = {},
                 ControlFlags flags = {});

    bool SetImage(const QString& name);
    [[nodiscard]] bool HasImage() const { return !m_image.IsNull(); }

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    void ReleaseImages() override;

private:
    SkinImage m_image;
};
