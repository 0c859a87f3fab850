#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinFrameSet.h"
#include "ui/SkinPainter.h"

#include <cstdint>

// A toggle: each click flips checked. Drawn from three backgrounds (normal, hover,
// checked) or a strip of three frames, with the caption over them; the caption follows
// the unchecked and checked captions when they are set.
class CCheckButton : public CControlBase {
public:
    CCheckButton(CMessageWindow* parent, int id, const UiRect& rect, unsigned format,
                 QString caption = {}, ControlFlags flags = {});

    bool SetImages(const QString& normal, const QString& hover, const QString& checked);
    bool SetStripImage(const QString& name, int frameWidth);
    void SetCaptions(const QString& unchecked, const QString& checked);
    void SetTextMargins(int left, int right);
    // The checked caption in white instead of yellow.
    void SetCheckedColorWhite() { m_checkedColor = SkinColor::kHoverText; }

    // Sets the value without notifying (refresh from the model).
    void SetChecked(bool checked) { m_checked = checked; }
    [[nodiscard]] bool IsChecked() const { return m_checked; }
    [[nodiscard]] int FrameIndex() const;

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    void AddAccessibleState(QAccessible::State& state) const override;
    // A section header: open and closed rather than checked.
    void SetExpander(bool expander) { m_expander = expander; }
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    unsigned m_format;
    bool m_checked = false;
    bool m_expander = false;
    QString m_checkedCaption;
    QString m_uncheckedCaption;
    SkinFrameSet m_frames;
    int m_marginLeft = 0;
    int m_marginRight = 0;
    std::uint32_t m_normalColor = SkinColor::kNormalText;
    std::uint32_t m_hoverColor = SkinColor::kHoverText;
    std::uint32_t m_checkedColor = SkinColor::kPressedText;
};
