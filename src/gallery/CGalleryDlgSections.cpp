// The gallery's sections: which controls it shows and in which states.
#include "CGalleryDlg.h"

#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CColorSelectButton.h"
#include "ui/CColorSelectCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CEditShowList.h"
#include "ui/CImageButton.h"
#include "ui/CImageShowList.h"
#include "ui/CLinkButton.h"
#include "ui/CPowerManageButton.h"
#include "ui/CRadioButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/CEditBox.h"
#include "ui/CStaticProgressBar.h"
#include "ui/CStaticText.h"
#include "ui/CTabControl.h"
#include "ui/CVScrollBar.h"
#include "ui/CVerticalSliderControl.h"
#include "ui/SkinPainter.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <array>

namespace {

constexpr int kIdDigitsBox = 2018;
constexpr int kIdDarkBox = 2019;
constexpr std::uint32_t kNoticeColor = 0xB4B4B4;

int S(int design)
{
    return UiScale::Scale(design);
}

UiRect R(int left, int top, int right, int bottom)
{
    return {S(left), S(top), S(right), S(bottom)};
}

const std::array<const char*, 3> kStateNames{"normal", "hover", "pressed"};
const ButtonState kStates[] = {ButtonState::Normal, ButtonState::Hover, ButtonState::Pressed};

constexpr int kIdPopupOpener = 3100;
constexpr UiMessage kOpenerNotify = Msg::kUser + 100;
constexpr UiMessage kComboNotify = Msg::kUser + 4;

}  // namespace

void CGalleryDlg::CreateButtonSection()
{
    AddSectionTitle(20, 40, 360, QStringLiteral("CImageButton"));
    for (int i = 0; i < 3; ++i) {
        auto* button = AddControl(0, std::make_unique<CImageButton>(
                                         this, 4000 + i, R(20 + i * 112, 62, 124 + i * 112, 88),
                                         TextFormat::kCenter, QString::fromLatin1(kStateNames[static_cast<std::size_t>(i)])));
        button->SetTextImages(QStringLiteral("button1_nr.png"), QStringLiteral("button1_ov.png"));
        button->SetState(kStates[i]);
    }
    const std::array<std::pair<const char*, const char*>, 4> icons{{{"exit_nr.png", "exit_ov.png"},
                                                                   {"min_nr.png", "min_ov.png"},
                                                                   {"add_nr.png", "add_ov.png"},
                                                                   {"Launch_nr.png", "Launch_ov.png"}}};
    const std::array<int, 4> iconSizes{15, 15, 20, 22};
    int x = 20;
    for (std::size_t icon = 0; icon < icons.size(); ++icon) {
        for (int i = 0; i < 3; ++i) {
            const int size = iconSizes[icon];
            auto* button = AddControl(0, std::make_unique<CImageButton>(
                                             this, 4010 + static_cast<int>(icon) * 3 + i,
                                             R(x, 96, x + size, 96 + size), 0));
            button->SetTextImages(QString::fromLatin1(icons[icon].first),
                                  QString::fromLatin1(icons[icon].second));
            button->SetState(kStates[i]);
            x += size + 6;
        }
        x += 10;
    }

    AddSectionTitle(20, 126, 360, QStringLiteral("CCheckButton"));
    const char* checkNames[] = {"normal", "hover", "pressed", "checked"};
    for (int i = 0; i < 4; ++i) {
        auto* check = AddControl(0, std::make_unique<CCheckButton>(
                                        this, 4030 + i, R(20 + i * 85, 151, 31 + i * 85, 162), 0));
        check->SetImages(QStringLiteral("check_nr.png"), QStringLiteral("check_ov.png"),
                         QStringLiteral("check_dn.png"));
        if (i < 3)
            check->SetState(kStates[i]);
        else
            check->SetChecked(true);
        AddLabel(35 + i * 85, 147, 100 + i * 85, 166, QString::fromLatin1(checkNames[i]));
    }
    for (int i = 0; i < 2; ++i) {
        auto* header = AddControl(0, std::make_unique<CCheckButton>(
                                         this, 4040 + i, R(20, 174 + i * 29, 282, 199 + i * 29),
                                         TextFormat::kLeft, QStringLiteral("Section header")));
        header->SetImages(QStringLiteral("header_nr.png"), QStringLiteral("header_ov.png"),
                          QStringLiteral("header_ov.png"));
        header->SetCaptions(QStringLiteral("Section header (closed)"),
                            QStringLiteral("Section header (open)"));
        header->SetTextMargins(S(10), 0);
        header->SetChecked(i == 1);
    }
    for (int i = 0; i < 6; ++i) {
        auto* enable = AddControl(0, std::make_unique<CCheckButton>(
                                         this, 3260 + i, R(20 + i * 56, 238, 34 + i * 56, 252), 0));
        enable->SetImages(QStringLiteral("check_button_dpi_nr.png"),
                          QStringLiteral("check_button_dpi_ov.png"),
                          QStringLiteral("check_button_dpi_dn.png"));
        enable->SetChecked(i != 4);
        if (i == 4)
            enable->SetState(ButtonState::Hover);
    }
}

void CGalleryDlg::CreateSelectionSection()
{
    AddSectionTitle(20, 262, 360, QStringLiteral("CRadioButton"));
    const int radioIds[] = {3034, 3035, 3036};
    const char* radioNames[] = {"normal", "hover", "selected"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = AddControl(0, std::make_unique<CRadioButton>(
                                        this, radioIds[i], R(20 + i * 85, 285, 35 + i * 85, 300)));
        radio->SetImages(QStringLiteral("radio_nr.png"), QStringLiteral("radio_ov.png"),
                         QStringLiteral("radio_dn.png"));
        if (i == 1)
            radio->SetState(ButtonState::Hover);
        AddLabel(39 + i * 85, 283, 104 + i * 85, 302, QString::fromLatin1(radioNames[i]));
    }
    auto* up = AddControl(0, std::make_unique<CRadioButton>(this, 3240, R(270, 281, 296, 303)));
    up->SetImages(QStringLiteral("up_nr.png"), QStringLiteral("up_ov.png"), QStringLiteral("up_check.png"));
    auto* down = AddControl(0, std::make_unique<CRadioButton>(this, 3250, R(300, 281, 326, 303)));
    down->SetImages(QStringLiteral("down_nr.png"), QStringLiteral("down_ov.png"),
                    QStringLiteral("down_check.png"));

    AddSectionTitle(20, 312, 360, QStringLiteral("CDPIRadioButton (levels 1-3 lit)"));
    const int dpiValues[] = {8, 16, 32, 64, 96, 128};
    for (int i = 0; i < 6; ++i) {
        auto* level = AddControl(0, std::make_unique<CDPIRadioButton>(
                                        this, 3290 + i, R(20 + i * 56, 334, 60 + i * 56, 358)));
        level->SetStripImage(QStringLiteral("dpi_value.png"), 40);
        level->SetDpiValue(dpiValues[i]);
        if (i == 4)
            level->SetState(ButtonState::Hover);
    }

    AddSectionTitle(20, 368, 360, QStringLiteral("CColorSelectButton / CColorSelectCheckButton"));
    const std::uint32_t colours[] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00,
                                     0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF};
    for (int i = 0; i < 8; ++i) {
        const UiRect rect = R(20 + i * 32, 390, 44 + i * 32, 406);
        auto* swatch = AddControl(0, std::make_unique<CColorSelectButton>(this, 3170 + i, rect, rect));
        swatch->SetColor(colours[i]);
    }
    for (int i = 0; i < 8; ++i) {
        const UiRect rect = R(20 + i * 32, 412, 44 + i * 32, 436);
        auto* slot = AddControl(0, std::make_unique<CColorSelectCheckButton>(this, 3180 + i, rect, rect));
        slot->SetImages(QStringLiteral("color_select_nr.png"), QStringLiteral("color_select_check.png"));
        slot->SetColor(colours[7 - i]);
        slot->SetChecked(i == 2);
    }
}

void CGalleryDlg::CreateComboAndTabSection()
{
    AddSectionTitle(20, 446, 360, QStringLiteral("CComboButton"));
    const char* comboTexts[] = {"Left click", "Hovered", "Open", "Locked"};
    for (int i = 0; i < 4; ++i) {
        auto* combo = AddControl(0, std::make_unique<CComboButton>(
                                        this, kComboNotify, 2013 + i,
                                        R(20 + (i % 2) * 172, 468 + (i / 2) * 26, 180 + (i % 2) * 172,
                                          488 + (i / 2) * 26),
                                        TextFormat::kLeft, QString(), ControlFlags{},
                                        QString::fromLatin1(comboTexts[i])));
        combo->SetImages(QStringLiteral("combo2_nr.png"), QStringLiteral("combo2_ov.png"));
        combo->SetTextMargins(S(8), S(20));
        if (i == 1)
            combo->SetState(ButtonState::Hover);
        if (i == 2)
            combo->SetOpen(true);
        if (i == 3)
            combo->SetLocked(true);
    }
    auto* disabledText = AddControl(0, std::make_unique<CComboButton>(
                                           this, kComboNotify, 2017, R(20, 520, 180, 540),
                                           TextFormat::kLeft, QString(), ControlFlags{},
                                           QStringLiteral("unused")));
    disabledText->SetImages(QStringLiteral("combo2_nr.png"), QStringLiteral("combo2_ov.png"));
    disabledText->SetTextMargins(S(8), S(20));
    disabledText->SetShowDisabledText(true);
    auto* lockedHover = AddControl(0, std::make_unique<CComboButton>(
                                          this, kComboNotify, 2018, R(192, 520, 352, 540),
                                          TextFormat::kLeft, QString(), ControlFlags{},
                                          QStringLiteral("Locked, hovered")));
    lockedHover->SetImages(QStringLiteral("combo2_nr.png"), QStringLiteral("combo2_ov.png"));
    lockedHover->SetTextMargins(S(8), S(20));
    lockedHover->SetLocked(true);
    lockedHover->SetState(ButtonState::Hover);
    // The drop-down of the popup section, in the free part of the right column.
    m_popupOpener = AddControl(0, std::make_unique<CComboButton>(
                                      this, kOpenerNotify, kIdPopupOpener, R(900, 386, 1060, 406),
                                      TextFormat::kLeft, QString(), ControlFlags{},
                                      QStringLiteral("Right click")));
    m_popupOpener->SetImages(QStringLiteral("combo2_nr.png"), QStringLiteral("combo2_ov.png"));
    m_popupOpener->SetTextMargins(S(8), S(20));

    AddSectionTitle(20, 550, 360, QStringLiteral("CLinkButton"));
    for (int i = 0; i < 3; ++i) {
        auto* link = AddControl(0, std::make_unique<CLinkButton>(
                                       this, R(20 + i * 112, 572, 128 + i * 112, 590),
                                       TextFormat::kLeft,
                                       QStringLiteral("link %1").arg(QString::fromLatin1(kStateNames[static_cast<std::size_t>(i)]))));
        link->SetState(kStates[i]);
    }

    AddSectionTitle(20, 600, 360, QStringLiteral("CTabControl (profile 2 selected)"));
    for (int i = 0; i < 5; ++i) {
        auto* tab = AddControl(0, std::make_unique<CTabControl>(
                                      this, 2049 + i, R(20 + i * 67, 622, 84 + i * 67, 648),
                                      TextFormat::kLeft, QStringLiteral("Profile %1").arg(i + 1)));
        tab->SetImages(QStringLiteral("profile_slot_nr.png"), QStringLiteral("profile_slot_ov.png"),
                       QStringLiteral("profile_slot_nr2.png"), QStringLiteral("profile_slot_ov2.png"));
        tab->SetTextMargins(S(6), 0);
        if (i == 3)
            tab->SetState(ButtonState::Hover);
    }
    const int pageIds[] = {3001, 3002, 3003};
    for (int i = 0; i < 3; ++i) {
        auto* page = AddControl(0, std::make_unique<CTabControl>(
                                       this, pageIds[i], R(20 + i * 112, 656, 124 + i * 112, 682),
                                       TextFormat::kCenter,
                                       QStringLiteral("Page %1").arg(QString::fromLatin1(kStateNames[static_cast<std::size_t>(i)]))));
        page->SetImages(QStringLiteral("button1_nr.png"), QStringLiteral("button1_ov.png"),
                        QStringLiteral("button1_ov.png"), QStringLiteral("button1_ov.png"));
        page->SetState(kStates[i]);
    }
    m_choiceText = AddControl(1, std::make_unique<CStaticText>(
                                     this, m_nextLabelId++, R(20, 694, 360, 714), 0x00FFFF,
                                     TextFormat::kSingleLine, QStringLiteral("Chosen: Right click")));
}

void CGalleryDlg::CreateDialAndSliderSection()
{
    AddSectionTitle(390, 40, 740, QStringLiteral("CPowerManageButton"));
    const char* dialImages[] = {"power_manage_3min.png", "power_manage_4min.png",
                                "power_manage_5min.png", "power_manage_6min.png",
                                "power_manage_7min.png", "power_manage_8min.png",
                                "power_manage_9min.png", "power_manage_10min.png"};
    for (int d = 0; d < 2; ++d) {
        auto* dial = AddControl(0, std::make_unique<CPowerManageButton>(
                                       this, R(390 + d * 170, 62, 528 + d * 170, 138)));
        for (int i = 0; i < 8; ++i)
            dial->SetSelectionImage(i + 1, QString::fromLatin1(dialImages[i]));
        dial->SetSelection(d == 0 ? 6 : 2);
    }

    AddSectionTitle(390, 146, 740, QStringLiteral("CSliderControl (30 steps, pads 6 and 7)"));
    const int positions[] = {0, 14, 29};
    for (int i = 0; i < 3; ++i) {
        const int top = 170 + i * 24;
        auto* track = AddControl(0, std::make_unique<CStaticImage>(this, 3534, R(420, top + 5, 710, top + 8)));
        track->SetImage(QStringLiteral("Slider_bar.png"));
        auto* slider = AddControl(0, std::make_unique<CSliderControl>(
                                         this, 3533, R(420, top, 710, top + 13), 30, S(6), S(7)));
        slider->SetThumbImage(QStringLiteral("Slider_Circle.png"));
        slider->SetPos(positions[i]);
        AddLabel(390, top - 3, 418, top + 16, QString::number(positions[i]));
    }

    AddSectionTitle(390, 246, 740, QStringLiteral("CVerticalSliderControl / CDPIValueShowControl"));
    for (int i = 0; i < 8; ++i) {
        const UiRect rect = R(400 + i * 40, 270, 414 + i * 40, 390);
        std::unique_ptr<CVerticalSliderControl> bar;
        if (i < 4)
            bar = std::make_unique<CVerticalSliderControl>(this, 3280 + i, rect, 8, 0, 0);
        else
            bar = std::make_unique<CDPIValueShowControl>(this, 3300 + i, rect, 8, 0, 0);
        bar->SetImages(QStringLiteral("mouse/dpi_bar_1.png"), QStringLiteral("mouse/dpi_bar_2.png"));
        bar->SetValue(i);
        AddControl(0, std::move(bar));
        AddLabel(396 + i * 40, 392, 420 + i * 40, 408, QString::number(i), TextFormat::kCenter);
    }
}

void CGalleryDlg::CreateDisplaySection()
{
    AddSectionTitle(390, 414, 740, QStringLiteral("CBattery: level 100/50/0, charging, charged"));
    struct BatteryLook {
        int mode;
        int level;
    };
    const BatteryLook looks[] = {{CBattery::kLevel, 100}, {CBattery::kLevel, 50},
                                 {CBattery::kLevel, 0}, {CBattery::kCharging, 60},
                                 {CBattery::kCharged, 100}};
    for (int i = 0; i < 5; ++i) {
        // Only one gauge has the fixed id in a real window; the gallery shows five.
        auto* battery = AddControl(0, std::make_unique<CBattery>(this, R(400 + i * 48, 436, 428 + i * 48, 496)));
        battery->SetFullImage(QStringLiteral("battery_full.png"));
        battery->SetEmptyImage(QStringLiteral("battery_empty.png"));
        battery->SetChargingImage(QStringLiteral("battery_charging.png"));
        battery->SetLightningImage(QStringLiteral("battery_lighting.png"));
        battery->SetMode(looks[i].mode);
        battery->SetLevel(looks[i].level);
        battery->SetAnimationLevel(looks[i].level);
    }
    const char* legend[] = {"battery_green.png", "battery_orange.png", "battery_red.png"};
    for (int i = 0; i < 3; ++i) {
        auto* mark = AddControl(0, std::make_unique<CStaticImage>(this, 3401, R(650, 440 + i * 18, 660, 450 + i * 18)));
        mark->SetImage(QString::fromLatin1(legend[i]));
    }

    AddSectionTitle(390, 506, 740, QStringLiteral("CStaticProgressBar: 10% and 65%"));
    const int progress[] = {10, 65};
    for (int i = 0; i < 2; ++i) {
        auto* bar = AddControl(0, std::make_unique<CStaticProgressBar>(
                                      this, R(390, 528 + i * 40, 733, 528 + i * 40 + 36)));
        bar->SetImages(QStringLiteral("Frame_progress_nr.bmp"), QStringLiteral("Frame_progress_ov.bmp"));
        bar->SetPos(progress[i]);
    }

    AddSectionTitle(390, 612, 740, QStringLiteral("CStaticImage / CStaticText"));
    const std::array<std::pair<const char*, UiRect>, 5> images{{
        {"device name.png", R(390, 634, 550, 658)},
        {"Logo pic.png", R(560, 630, 600, 670)},
        {"Status_Wired.png", R(610, 638, 634, 662)},
        {"Status_Wireless.png", R(640, 638, 664, 662)},
        {"Status_BLE.png", R(670, 638, 694, 662)},
    }};
    for (const auto& [name, rect] : images) {
        auto* image = AddControl(0, std::make_unique<CStaticImage>(this, 3400, rect));
        image->SetImage(QString::fromLatin1(name));
    }
    AddLabel(390, 676, 560, 694, QStringLiteral("Left aligned"), TextFormat::kLeft);
    AddLabel(560, 676, 740, 694, QStringLiteral("Right aligned"), TextFormat::kRight);
    AddLabel(390, 696, 520, 714, QStringLiteral("A label that is too long to fit its box"));
    auto* chinese = AddControl(1, std::make_unique<CStaticText>(
                                      this, m_nextLabelId++, R(530, 696, 740, 714), 0xFFFFFF,
                                      TextFormat::kSingleLine,
                                      QString::fromUtf16(u"\u4E2D\u6587 \u5B8F\u7BA1\u7406 \u914D\u7F6E\u6587\u4EF6")));
    chinese->SetFont(UiFont::MakeFont(ControlFont{u"\u5B8B\u4F53", S(12), 134}));
}

void CGalleryDlg::CreateListSection()
{
    AddSectionTitle(765, 40, 1110, QStringLiteral("CEditShowList (tree) / CImageShowList (actions)"));
    auto* tree = AddControl(0, std::make_unique<CEditShowList>(this, R(765, 62, 925, 330)));
    tree->SetFolderImages(QStringLiteral("foldr_open.png"), QStringLiteral("foldr_close.png"));
    tree->SetSource(&m_macroTree);
    tree->SetSelection(2);
    m_tree = tree;
    m_treeBar = AddControl(0, std::make_unique<CVScrollBar>(this, 2016, R(925, 62, 937, 330)));
    SyncScrollBar(m_tree, m_treeBar);

    auto* actions = AddControl(0, std::make_unique<CImageShowList>(this, R(945, 62, 1096, 330)));
    actions->SetIcon(SampleActionList::kDelayIcon, QStringLiteral("macro_time.png"));
    actions->SetIcon(SampleActionList::kPressIcon, QStringLiteral("macro_down.png"));
    actions->SetIcon(SampleActionList::kReleaseIcon, QStringLiteral("macro_up.png"));
    actions->SetSource(&m_actions);
    actions->SetSelection(3);
    m_actionList = actions;
    m_actionBar = AddControl(0, std::make_unique<CVScrollBar>(this, 2021, R(1096, 62, 1108, 330)));
    SyncScrollBar(m_actionList, m_actionBar);

    AddSectionTitle(765, 340, 895, QStringLiteral("CVScrollBar"));
    const int scrollPositions[][3] = {{0, 0, 0}, {0, 10, 40}, {15, 10, 40}, {30, 10, 40}};
    for (int i = 0; i < 4; ++i) {
        auto* bar = AddControl(0, std::make_unique<CVScrollBar>(this, 2030 + i, R(775 + i * 30, 362, 787 + i * 30, 520)));
        bar->SetScrollInfo(scrollPositions[i][0], scrollPositions[i][1], scrollPositions[i][2]);
    }
    AddSectionTitle(900, 340, 1110, QStringLiteral("CWndPopup"));
    AddLabel(900, 362, 1110, 380, QStringLiteral("opened from this drop-down:"));
    AddLabel(765, 524, 895, 542, QStringLiteral("0 / top / mid / end"));
}

void CGalleryDlg::CreateEditSection()
{
    // Edit boxes: the dialogs' black on white with the digits filter, and the macro
    // manager's dark one.
    AddSectionTitle(765, 570, 1110, QStringLiteral("CEditBox: digits only / dark"));
    auto* digits = new CEditBox(this, kIdDigitsBox, UiRect{765, 594, 925, 616}, EditBoxColors::Standard(),
                                EditBoxFilter::DigitsReported);
    digits->SetText(QStringLiteral("1600"));
    auto* dark = new CEditBox(this, kIdDarkBox, UiRect{940, 594, 1100, 616}, EditBoxColors::Dark());
    dark->SetText(QStringLiteral("30"));
    m_editNotice = AddControl(1, std::make_unique<CStaticText>(this, m_nextLabelId++, R(765, 624, 1100, 644),
                                                               kNoticeColor, TextFormat::kSingleLine,
                                                               QStringLiteral("Type a letter in the left box")));
}

LResult CGalleryDlg::OnNonDigitTyped(WParam /*wParam*/, LParam lParam)
{
    // A dialog shows its attention window here; the gallery names the character.
    m_editNotice->SetText(QStringLiteral("Not a digit: '%1' (still entered)").arg(QChar(static_cast<char16_t>(lParam))));
    InvalidateRect(m_editNotice->GetRect());
    return 0;
}
