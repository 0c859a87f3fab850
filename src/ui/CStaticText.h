#pragma once

#include "ui/CControlBase.h"

#include <cstdint>

// A text label in one colour; never interactive. SetText does not repaint: the window
// repaints after it has updated its labels.
class CStaticText : public CControlBase {
public:
    CStaticText(CMessageWindow* parent, int id, const UiRect& rect, std::uint32_t colorRef,
                unsigned format, QString caption = {}, ControlFlags flags = {});

    void SetText(const QString& text) { m_caption = text; }
    [[nodiscard]] QString Text() const { return m_caption; }
    void SetColor(std::uint32_t colorRef) { m_color = colorRef; }
    [[nodiscard]] std::uint32_t Color() const { return m_color; }

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;

private:
    std::uint32_t m_color;
    unsigned m_format;
};
