#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinImage.h"

#include <cstdint>

// The battery gauge (id 3406): the level as a fill from the bottom (mode 0), a charging
// animation (mode 1) or full and charged (mode 2). Not interactive.
class CBattery : public CControlBase {
public:
    enum Mode : int { kLevel = 0, kCharging = 1, kCharged = 2 };
    static constexpr int kTopMargin = 7;   // design units above the fill's full height
    static constexpr int kFillHeight = 50; // design units of a full fill

    CBattery(CMessageWindow* parent, const UiRect& rect, QString caption = {},
             ControlFlags flags = {});

    bool SetFullImage(const QString& name);
    bool SetEmptyImage(const QString& name);
    bool SetChargingImage(const QString& name);
    bool SetLightningImage(const QString& name);

    void SetLevel(int percent);
    [[nodiscard]] int Level() const { return m_level; }
    void SetMode(int mode) { m_mode = mode; }
    [[nodiscard]] int GetMode() const { return m_mode; }
    // The charging animation's level, advanced by the window's timer.
    void SetAnimationLevel(int percent) { m_animationLevel = percent; }
    [[nodiscard]] int AnimationLevel() const { return m_animationLevel; }

    // Top edge of the fill for a level in percent.
    [[nodiscard]] int FillTop(int percent) const;

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    [[nodiscard]] std::optional<AccessibleRange> AccessibleValue() const override;
    [[nodiscard]] QString AccessibleName() const override;
    // Names for the three looks: a format with %1 for the level, charging and charged.
    void SetAccessibleTexts(const QString& levelFormat, const QString& charging, const QString& charged);
    void ReleaseImages() override;

private:
    void DrawLowerPart(QPainter& painter, const SkinImage& image, int fillTop) const;

    SkinImage m_full;
    SkinImage m_empty;
    SkinImage m_charging;
    SkinImage m_lightning;
    int m_mode = kLevel;
    std::uint8_t m_level = 100;
    int m_animationLevel = 25;
    QString m_levelFormat;
    QString m_chargingText;
    QString m_chargedText;
};
