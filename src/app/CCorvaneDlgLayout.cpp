// The main window's controls, the right-hand column's layout and the background.
#include "app/CCorvaneDlg.h"

#include "app/MainWindowIds.h"
#include "app/SectionColumn.h"
#include "device/DeviceLink.h"
#include "device/DpiStepTable.h"
#include "profiles/LanguageTexts.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CColorSelectCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CImageButton.h"
#include "ui/CRadioButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/SkinImage.h"
#include "ui/SkinPainter.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"
#include "ui/dialogs/DialogParts.h"

#include <QPainter>

namespace {

constexpr std::uint32_t kGreyText = 0xB4B4B4;
constexpr std::uint32_t kNoticeYellow = 0x00FFFF;
constexpr unsigned kLabel = TextFormat::kSingleLine | TextFormat::kVCenter;
constexpr unsigned kCentredLabel = kLabel | TextFormat::kCenter;

// Skin geometry (design units). The device picture and the points of its buttons.
constexpr UiRect kDevicePicture{416, 150, 696, 550};
struct PicturePoint {
    int x;
    int y;
};
// Centres of the number badges and highlights on the picture, buttons 1..9: left, right,
// wheel, the two side keys, the DPI key; 7..9 have no key on this mouse.
constexpr std::array<PicturePoint, 9> kButtonPoints{{
    {86, 108}, {194, 108}, {140, 40},   // left, right, wheel
    {28, 214}, {28, 258}, {170, 145},   // forward, back, DPI key
    {252, 214}, {252, 258}, {140, 330}, // no key
}};
constexpr int kBadgeSize = 20;
constexpr int kHighlightSize = 28;

// Left column.
constexpr int kPanelLeft = 36;
constexpr int kPanelWidth = 230;
struct Panel {
    int top;
    int height;

    friend constexpr bool operator==(const Panel&, const Panel&) = default;
};
constexpr Panel kButtonsPanel{62, 205};
constexpr Panel kMacroPanel{311, 43};  // only outside the 0x3205 layout
constexpr Panel kBatteryPanel{423, 82};
constexpr Panel kPowerPanel{550, 146};
constexpr int kDropDownTop = 76;
constexpr int kDropDownPitch = 32;

// Slider pads: the thumb's half widths (13 wide: 6 left of the step, 7 right).
constexpr int kThumbLeftPad = 6;
constexpr int kThumbRightPad = 7;
constexpr int kLevelValuePixels = 11;

UiRect Scaled(const UiRect& design)
{
    return {UiScale::Scale(design.left), UiScale::Scale(design.top), UiScale::Scale(design.right),
            UiScale::Scale(design.bottom)};
}

UiRect Shifted(const UiRect& rect, int dx, int dy)
{
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

QString Text(const LanguageTexts& texts, int number)
{
    return DialogParts::LanguageText(texts, number);
}

ControlFlags NotShown()
{
    ControlFlags flags;
    flags.shown = false;
    return flags;
}

}  // namespace

template <class Control>
Control* CCorvaneDlg::AddBody(int layer, int header, const UiRect& offset, std::unique_ptr<Control> control)
{
    Control* raw = AddControl(layer, std::move(control));
    m_body.push_back(BodyControl{raw, header, offset});
    return raw;
}

void CCorvaneDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    if (m_controlsCreated != 0)
        return;
    m_controlsCreated = 1;
    CreateFrameControls();
    CreateLeftColumn();
    CreateDevicePicture();
    CreateHeaders();
    CreateDpiSection();
    CreateLightingSection();
    CreatePointerSection();
    CreateRateSection();
    LayOutColumn();
    ShowOpenSections();
    ApplySensorLayout();
    NameControls();
}

void CCorvaneDlg::CreateFrameControls()
{
    auto* close = AddControl(MainLayer::kFrame,
                             std::make_unique<CImageButton>(this, MainId::kClose, Scaled({1100, 8, 1115, 23}), 0));
    close->SetTextImages(QStringLiteral("exit_nr.png"), QStringLiteral("exit_ov.png"));
    auto* minimise = AddControl(
        MainLayer::kFrame, std::make_unique<CImageButton>(this, MainId::kMinimise, Scaled({1078, 8, 1093, 23}), 0));
    minimise->SetTextImages(QStringLiteral("min_nr.png"), QStringLiteral("min_ov.png"));

    const LanguageTexts& texts = m_model.texts;
    auto* profiles = AddControl(MainLayer::kFrame,
                                std::make_unique<CImageButton>(this, MainId::kProfileList, Scaled({472, 662, 541, 682}),
                                                               TextFormat::kCenter, Text(texts, 1)));
    profiles->SetTextImages(QStringLiteral("button2_nr.png"), QStringLiteral("button2_ov.png"));
    auto* reset = AddControl(MainLayer::kFrame,
                             std::make_unique<CImageButton>(this, MainId::kFactoryReset, Scaled({571, 662, 640, 682}),
                                                            TextFormat::kCenter, Text(texts, 7)));
    reset->SetTextImages(QStringLiteral("button2_nr.png"), QStringLiteral("button2_ov.png"));

    m_receiverNotice = AddControl(
        MainLayer::kFrame, std::make_unique<CStaticText>(this, MainId::kReceiverNotice, Scaled({300, 716, 827, 736}),
                                                         kNoticeYellow, kCentredLabel, Text(texts, 284), NotShown()));
}

void CCorvaneDlg::CreateLeftColumn()
{
    const LanguageTexts& texts = m_model.texts;
    struct TitleBar {
        int id;
        int text;
        int top;
        bool shown;
    };
    constexpr std::array<TitleBar, 4> kTitleBars{{{MainId::kTitleButtons, 9, 37, true},
                                                  {MainId::kTitleBattery, 15, 398, true},
                                                  {MainId::kTitlePower, 265, 525, true},
                                                  {MainId::kTitleProfiles, 10, 0, false}}};
    for (const TitleBar& bar : kTitleBars) {
        ControlFlags flags;
        flags.shown = bar.shown;
        flags.disabled = true;
        auto* title = AddControl(
            MainLayer::kFrame, std::make_unique<CCheckButton>(
                                   this, bar.id, Scaled({kPanelLeft, bar.top, kPanelLeft + kPanelWidth, bar.top + 25}),
                                   TextFormat::kCenter | TextFormat::kButtonText, Text(texts, bar.text), flags));
        title->SetImages(QStringLiteral("header2_nr.png"), QStringLiteral("header2_ov.png"),
                         QStringLiteral("header2_ov.png"));
    }

    // Button-function drop-downs with their number badges; 7..9 exist without a key.
    for (int n = 0; n < MainId::kButtonDropDownCount; ++n) {
        const int top = kDropDownTop + n * kDropDownPitch;
        const ControlFlags flags = n < MainId::kShownButtonCount ? ControlFlags{} : NotShown();
        auto* badge = AddControl(MainLayer::kFrame,
                                 std::make_unique<CStaticImage>(this, MainId::kDevicePicture,
                                                                Scaled({48, top, 68, top + 20}), QString{}, flags));
        badge->SetImage(QStringLiteral("mouse/serial_number%1.png").arg(n + 1));
        auto* dropDown = AddControl(
            MainLayer::kFrame,
            std::make_unique<CComboButton>(this, MainMsg::kButtonDropDown, MainId::kFirstButtonDropDown + n,
                                           Scaled({76, top, 236, top + 20}), TextFormat::kLeft, QString{}, flags));
        dropDown->SetImages(QStringLiteral("combo2_nr.png"), QStringLiteral("combo2_ov.png"));
        dropDown->SetTextMargins(UiScale::Scale(8), UiScale::Scale(20));
        m_buttonDropDowns[static_cast<std::size_t>(n)] = dropDown;
    }

    m_macroManager = AddControl(MainLayer::kFrame,
                                std::make_unique<CImageButton>(this, MainId::kMacroManager, Scaled({91, 319, 211, 345}),
                                                               TextFormat::kCenter, Text(texts, 8)));
    m_macroManager->SetTextImages(QStringLiteral("button1_nr.png"), QStringLiteral("button1_ov.png"));

    // Battery panel: gauge, percentage, connection kind, legend.
    m_battery = AddControl(MainLayer::kFrame, std::make_unique<CBattery>(this, Scaled({54, 434, 82, 494})));
    m_battery->SetFullImage(QStringLiteral("battery_full.png"));
    m_battery->SetEmptyImage(QStringLiteral("battery_empty.png"));
    m_battery->SetChargingImage(QStringLiteral("battery_charging.png"));
    m_battery->SetLightningImage(QStringLiteral("battery_lighting.png"));
    m_batteryText = AddControl(MainLayer::kFrame,
                               std::make_unique<CStaticText>(this, MainId::kBatteryText, Scaled({92, 438, 160, 458}),
                                                             kGreyText, kLabel, QStringLiteral("100%")));
    QFont tahoma = UiFont::ControlQFont();
    tahoma.setFamily(QStringLiteral("Tahoma"));
    m_batteryText->SetFont(tahoma);
    constexpr std::array<std::pair<int, const char*>, 3> kStatusImages{
        {{MainId::kStatusWired, "Status_Wired.png"},
         {MainId::kStatusWireless, "Status_Wireless.png"},
         {MainId::kStatusBle, "Status_BLE.png"}}};
    for (std::size_t i = 0; i < kStatusImages.size(); ++i) {
        auto* image = AddControl(
            MainLayer::kFrame, std::make_unique<CStaticImage>(this, kStatusImages[i].first, Scaled({92, 468, 116, 492}),
                                                              QString{}, NotShown()));
        image->SetImage(QString::fromLatin1(kStatusImages[i].second));
        m_statusImages[i] = image;
    }
    constexpr std::array<const char*, 3> kLegend{"battery_green.png", "battery_orange.png", "battery_red.png"};
    for (int i = 0; i < 3; ++i) {
        const int top = 440 + i * 20;
        auto* mark = AddControl(
            MainLayer::kFrame,
            std::make_unique<CStaticImage>(this, MainId::kLegendMark, Scaled({176, top + 3, 186, top + 13})));
        mark->SetImage(QString::fromLatin1(kLegend[static_cast<std::size_t>(i)]));
        AddControl(MainLayer::kFrame,
                   std::make_unique<CStaticText>(this, MainId::kLegendWord, Scaled({192, top, 262, top + 16}),
                                                 kGreyText, kLabel, Text(texts, 16 + i)));
    }

    // Power-saving panel: the power-down time.
    m_powerValue = AddControl(MainLayer::kFrame,
                              std::make_unique<CStaticText>(this, MainId::kPowerValue, Scaled({46, 574, 256, 594}),
                                                            kGreyText, kCentredLabel));
    auto* track = AddControl(MainLayer::kFrame,
                             std::make_unique<CStaticImage>(this, MainId::kPowerTrack, Scaled({62, 624, 240, 627})));
    track->SetImage(QStringLiteral("Slider_bar.png"));
    m_powerSlider = AddControl(MainLayer::kFrame, std::make_unique<CSliderControl>(
                                                      this, MainId::kPowerSlider, Scaled({56, 619, 247, 632}), 30,
                                                      UiScale::Scale(kThumbLeftPad), UiScale::Scale(kThumbRightPad)));
    m_powerSlider->SetThumbImage(QStringLiteral("Slider_Circle.png"));
}

void CCorvaneDlg::CreateDevicePicture()
{
    auto* picture = AddControl(MainLayer::kFrame,
                               std::make_unique<CStaticImage>(this, MainId::kDevicePicture, Scaled(kDevicePicture)));
    picture->SetImage(QStringLiteral("mouse/mouse_nr.png"));
    for (std::size_t n = 0; n < kButtonPoints.size(); ++n) {
        const int left = kDevicePicture.left + kButtonPoints[n].x - kBadgeSize / 2;
        const int top = kDevicePicture.top + kButtonPoints[n].y - kBadgeSize / 2;
        auto* badge =
            AddControl(MainLayer::kFrame,
                       std::make_unique<CStaticImage>(
                           this, MainId::kDevicePicture, Scaled({left, top, left + kBadgeSize, top + kBadgeSize}),
                           QString{}, n < MainId::kShownButtonCount ? ControlFlags{} : NotShown()));
        badge->SetImage(QStringLiteral("mouse/serial_number%1.png").arg(n + 1));
    }
}

void CCorvaneDlg::CreateHeaders()
{
    struct HeaderEntry {
        int id;
        int text;
    };
    constexpr std::array<HeaderEntry, 5> kHeaders{{{MainId::kHeaderDpi, 11},
                                                  {MainId::kHeaderLighting, 12},
                                                  {MainId::kHeaderPointer, 14},
                                                  {MainId::kHeaderRate, 13},
                                                  {MainId::kHeaderLift, 19}}};
    for (const HeaderEntry& entry : kHeaders) {
        auto* header = AddControl(
            MainLayer::kFrame,
            std::make_unique<CCheckButton>(
                this, entry.id,
                Scaled({SectionColumn::kColumnLeft, 0, SectionColumn::kColumnLeft + SectionColumn::kHeaderWidth,
                        SectionColumn::kHeaderHeight}),
                TextFormat::kCenter | TextFormat::kButtonText, Text(m_model.texts, entry.text)));
        header->SetImages(QStringLiteral("header_nr.png"), QStringLiteral("header_ov.png"),
                          QStringLiteral("header_ov.png"));
        header->SetChecked(entry.id == MainId::kHeaderDpi || entry.id == MainId::kHeaderRate);
    }
    if (CControlBase* lift = GetControl(MainId::kHeaderLift))
        lift->SetShown(m_model.link.DpiTable().LiftOptionShown());
}

void CCorvaneDlg::CreateDpiSection()
{
    const int steps = static_cast<int>(m_model.link.DpiTable().PositionCount());
    for (int k = 0; k < MainId::kDpiLevelCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const int x = 857 + k * 42;
        const ControlFlags flags = k < MainId::kShownDpiLevels ? ControlFlags{} : NotShown();
        auto* check = AddBody(MainLayer::kDpi, MainId::kHeaderDpi, {x + 13, 8, x + 27, 22},
                              std::make_unique<CCheckButton>(this, MainId::kFirstDpiCheck + k,
                                                             Scaled({x + 13, 8, x + 27, 22}), 0, QString{}, flags));
        check->SetImages(QStringLiteral("check_button_dpi_nr.png"), QStringLiteral("check_button_dpi_ov.png"),
                         QStringLiteral("check_button_dpi_dn.png"));
        m_dpiChecks[index] = check;
        auto* bar = AddBody(
            MainLayer::kDpi, MainId::kHeaderDpi, {x + 13, 28, x + 27, 148},
            std::make_unique<CDPIValueShowControl>(this, MainId::kFirstDpiBar + k, Scaled({x + 13, 28, x + 27, 148}),
                                                   steps, 0, 0, QString{}, flags));
        bar->SetImages(QStringLiteral("mouse/dpi_bar_1.png"), QStringLiteral("mouse/dpi_bar_2.png"));
        m_dpiBars[index] = bar;
        auto* level = AddBody(MainLayer::kDpi, MainId::kHeaderDpi, {x, 158, x + 40, 182},
                              std::make_unique<CDPIRadioButton>(this, MainId::kFirstDpiLevel + k,
                                                                Scaled({x, 158, x + 40, 182}), QString{}, flags));
        level->SetStripImage(QStringLiteral("dpi_value.png"), 40);
        // Five digits fit the 40-unit button in a smaller face than the captions'.
        QFont tahoma = level->Font();
        tahoma.setFamily(QStringLiteral("Tahoma"));
        tahoma.setPixelSize(UiScale::Scale(kLevelValuePixels));
        level->SetFont(tahoma);
        m_dpiLevels[index] = level;
    }
}

void CCorvaneDlg::CreateLightingSection()
{
    const LanguageTexts& texts = m_model.texts;
    constexpr int kHeader = MainId::kHeaderLighting;
    constexpr int kLayer = MainLayer::kLighting;
    m_lightingMode = AddBody(kLayer, kHeader, {856, 12, 1016, 32},
                             std::make_unique<CComboButton>(this, MainMsg::kLightingDropDown, MainId::kLightingMode,
                                                            UiRect{}, TextFormat::kLeft));
    m_lightingMode->SetImages(QStringLiteral("combo3_nr.png"), QStringLiteral("combo3_ov.png"));
    m_lightingMode->SetTextMargins(UiScale::Scale(8), UiScale::Scale(20));

    // Speed and brightness share a row: no mode shows both.
    struct SliderRow {
        int captionId;
        int captionText;
        int trackId;
        int sliderId;
        int steps;
        int valueId;
    };
    const std::array<SliderRow, 2> rows{
        {{MainId::kSpeedLabel, 121, MainId::kSpeedTrack, MainId::kSpeedSlider, 3, MainId::kSpeedValue},
         {MainId::kBrightnessLabel, 120, MainId::kBrightnessTrack, MainId::kBrightnessSlider, 4,
          MainId::kBrightnessValue}}};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const SliderRow& kind = rows[row];
        std::vector<CControlBase*>& group = row == 0 ? m_speedGroup : m_brightnessGroup;
        group.push_back(AddBody(kLayer, kHeader, {856, 44, 924, 62},
                                std::make_unique<CStaticText>(this, kind.captionId, Scaled({856, 44, 924, 62}),
                                                              kGreyText, kLabel, Text(texts, kind.captionText))));
        auto* track = AddBody(kLayer, kHeader, {932, 52, 1052, 55},
                              std::make_unique<CStaticImage>(this, kind.trackId, Scaled({932, 52, 1052, 55})));
        track->SetImage(QStringLiteral("Slider_bar.png"));
        group.push_back(track);
        auto* slider =
            AddBody(kLayer, kHeader, {926, 47, 1059, 60},
                    std::make_unique<CSliderControl>(this, kind.sliderId, Scaled({926, 47, 1059, 60}), kind.steps,
                                                     UiScale::Scale(kThumbLeftPad), UiScale::Scale(kThumbRightPad)));
        slider->SetThumbImage(QStringLiteral("Slider_Circle.png"));
        group.push_back(slider);
        auto* value = AddBody(
            kLayer, kHeader, {1064, 44, 1104, 62},
            std::make_unique<CStaticText>(this, kind.valueId, Scaled({1064, 44, 1104, 62}), kGreyText, kCentredLabel));
        QFont tahoma = value->Font();
        tahoma.setFamily(QStringLiteral("Tahoma"));
        value->SetFont(tahoma);
        group.push_back(value);
        (row == 0 ? m_speedSlider : m_brightnessSlider) = slider;
        (row == 0 ? m_speedValue : m_brightnessValue) = value;
    }

    m_colorsLabel = AddBody(kLayer, kHeader, {856, 84, 924, 102},
                            std::make_unique<CStaticText>(this, MainId::kColorsLabel, Scaled({856, 84, 924, 102}),
                                                          kGreyText, kLabel, Text(texts, 122)));
    for (int j = 0; j < MainId::kColorSlotCount; ++j) {
        const UiRect offset{932 + j * 30, 81, 956 + j * 30, 105};
        auto* slot = AddBody(kLayer, kHeader, offset,
                             std::make_unique<CColorSelectCheckButton>(this, MainId::kFirstColorSlot + j,
                                                                       Scaled(offset), Scaled(offset)));
        slot->SetImages(QStringLiteral("color_select_nr.png"), QStringLiteral("color_select_check.png"));
        m_colorSlots[static_cast<std::size_t>(j)] = slot;
    }

    m_directionGroup.push_back(
        AddBody(kLayer, kHeader, {856, 122, 924, 140},
                std::make_unique<CStaticText>(this, MainId::kDirectionLabel, Scaled({856, 122, 924, 140}), kGreyText,
                                              kLabel, Text(texts, 123))));
    auto* up = AddBody(kLayer, kHeader, {932, 120, 958, 142},
                       std::make_unique<CRadioButton>(this, MainId::kDirectionUp, Scaled({932, 120, 958, 142})));
    up->SetImages(QStringLiteral("up_nr.png"), QStringLiteral("up_ov.png"), QStringLiteral("up_check.png"));
    auto* down = AddBody(kLayer, kHeader, {964, 120, 990, 142},
                         std::make_unique<CRadioButton>(this, MainId::kDirectionDown, Scaled({964, 120, 990, 142})));
    down->SetImages(QStringLiteral("down_nr.png"), QStringLiteral("down_ov.png"), QStringLiteral("down_check.png"));
    m_directionGroup.push_back(up);
    m_directionGroup.push_back(down);
}

void CCorvaneDlg::CreatePointerSection()
{
    auto* settings = AddBody(MainLayer::kPointer, MainId::kHeaderPointer, {897, 42, 1057, 68},
                             std::make_unique<CImageButton>(this, MainId::kMouseSettings, Scaled({897, 42, 1057, 68}),
                                                            TextFormat::kCenter, Text(m_model.texts, 260)));
    settings->SetTextImages(QStringLiteral("button4_nr.png"), QStringLiteral("button4_nr.png"));
}

void CCorvaneDlg::CreateRateSection()
{
    constexpr std::array<const char*, MainId::kRateRadioCount> kRates{"125hz", "250hz", "500hz", "1000hz"};
    for (int i = 0; i < MainId::kRateRadioCount; ++i) {
        const int left = 858 + i * 62;
        auto* radio = AddBody(
            MainLayer::kRate, MainId::kHeaderRate, {left, 30, left + 56, 56},
            std::make_unique<CRadioButton>(this, MainId::kFirstRateRadio + i, Scaled({left, 30, left + 56, 56})));
        const QString rate = QString::fromLatin1(kRates[static_cast<std::size_t>(i)]);
        radio->SetImages(rate + QStringLiteral("_nr.png"), rate + QStringLiteral("_dn.png"),
                         rate + QStringLiteral("_dn.png"));
        m_rateCaptions[static_cast<std::size_t>(i)] =
            AddBody(MainLayer::kRate, MainId::kHeaderRate, {856, 80, 1098, 100},
                    std::make_unique<CStaticText>(this, MainId::kFirstRateCaption + i, Scaled({856, 80, 1098, 100}),
                                                  kGreyText, kCentredLabel, Text(m_model.texts, 261 + i)));
    }

    struct LiftChoice {
        int radio;
        int caption;
        int text;
        int left;
    };
    constexpr std::array<LiftChoice, 2> kLift{{{MainId::kLiftLow, MainId::kLiftLowCaption, 270, 876},
                                               {MainId::kLiftHigh, MainId::kLiftHighCaption, 271, 986}}};
    for (const LiftChoice& choice : kLift) {
        auto* radio = AddBody(
            MainLayer::kLift, MainId::kHeaderLift, {choice.left, 30, choice.left + 15, 45},
            std::make_unique<CRadioButton>(this, choice.radio, Scaled({choice.left, 30, choice.left + 15, 45})));
        radio->SetImages(QStringLiteral("radio_nr.png"), QStringLiteral("radio_ov.png"),
                         QStringLiteral("radio_dn.png"));
        AddBody(
            MainLayer::kLift, MainId::kHeaderLift, {choice.left + 22, 28, choice.left + 100, 47},
            std::make_unique<CStaticText>(this, choice.caption, Scaled({choice.left + 22, 28, choice.left + 100, 47}),
                                          kGreyText, kLabel, Text(m_model.texts, choice.text)));
    }
}

void CCorvaneDlg::LayOutColumn()
{
    SectionColumn::ColumnState state;
    state.dpiOpen = IsSectionOpen(MainId::kHeaderDpi);
    const CControlBase* lighting = GetControl(MainId::kHeaderLighting);
    state.lightingShown = lighting != nullptr && lighting->IsShown();
    state.lightingOpen = IsSectionOpen(MainId::kHeaderLighting);
    state.rateOpen = IsSectionOpen(MainId::kHeaderRate);
    const CControlBase* lift = GetControl(MainId::kHeaderLift);
    state.liftShown = lift != nullptr && lift->IsShown();
    state.liftOpen = IsSectionOpen(MainId::kHeaderLift);
    // Every background paint asks; the controls move only when a header's place changed.
    const SectionColumn::HeaderTops tops = SectionColumn::LayOut(state);
    if (m_columnLaidOut && tops == m_columnTops)
        return;
    m_columnLaidOut = true;
    m_columnTops = tops;
    const std::array<std::pair<int, int>, 5> headerTops{{{MainId::kHeaderDpi, tops.dpi},
                                                         {MainId::kHeaderLighting, tops.lighting},
                                                         {MainId::kHeaderRate, tops.rate},
                                                         {MainId::kHeaderLift, tops.lift},
                                                         {MainId::kHeaderPointer, tops.pointer}}};
    for (const auto& [id, top] : headerTops) {
        if (CControlBase* header = GetControl(id)) {
            const UiRect rect =
                Scaled({SectionColumn::kColumnLeft, top, SectionColumn::kColumnLeft + SectionColumn::kHeaderWidth,
                        top + SectionColumn::kHeaderHeight});
            header->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        }
    }
    for (const BodyControl& body : m_body) {
        const int headerTop = HeaderTop(body.header);
        const UiRect rect = Scaled(Shifted(body.offset, 0, headerTop + SectionColumn::kHeaderHeight));
        body.control->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        if (auto* slider = dynamic_cast<CSliderControl*>(body.control))
            slider->SetPos(slider->GetPos());  // its thumb follows the move
    }
}

void CCorvaneDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    painter.fillRect(rect(), SkinPainter::FromColorRef(AverageBackgroundColor()));
    DrawScaledBackground(painter);
    LayOutColumn();
    DrawPanels(painter);
    DrawControls(painter, clip);
    DrawButtonHighlight(painter);
}

std::vector<UiRect> CCorvaneDlg::PanelRects() const
{
    std::vector<UiRect> panels;
    for (const Panel& panel : {kButtonsPanel, kMacroPanel, kBatteryPanel, kPowerPanel}) {
        // Compared by value: the loop walks copies of the panels.
        if (panel != kMacroPanel || !m_sensor3205Mode)
            panels.push_back({kPanelLeft, panel.top, kPanelLeft + kPanelWidth, panel.top + panel.height});
    }
    const std::array<std::pair<int, int>, 5> bodies{{{MainId::kHeaderDpi, SectionColumn::kDpiBodyHeight},
                                                     {MainId::kHeaderLighting, SectionColumn::kLightingBodyHeight},
                                                     {MainId::kHeaderRate, SectionColumn::kRateBodyHeight},
                                                     {MainId::kHeaderLift, SectionColumn::kLiftBodyHeight},
                                                     {MainId::kHeaderPointer, SectionColumn::kPointerBodyHeight}}};
    for (const auto& [header, height] : bodies) {
        const CControlBase* control = GetControl(header);
        if (control == nullptr || !control->IsShown() || !IsSectionOpen(header))
            continue;
        const int top = HeaderTop(header) + SectionColumn::kHeaderHeight;
        panels.push_back(
            {SectionColumn::kColumnLeft, top, SectionColumn::kColumnLeft + SectionColumn::kHeaderWidth, top + height});
    }
    return panels;
}

void CCorvaneDlg::DrawPanels(QPainter& painter) const
{
    if (m_panel.IsNull())
        return;
    for (const UiRect& panel : PanelRects())
        m_panel.Draw(painter, Scaled(panel));
}

void CCorvaneDlg::DrawButtonHighlight(QPainter& painter) const
{
    if (m_hoveredButton < 1 || m_hoveredButton > static_cast<int>(kButtonPoints.size()))
        return;
    const auto index = static_cast<std::size_t>(m_hoveredButton - 1);
    const SkinImage& image = m_highlights[index];
    if (image.IsNull())
        return;
    const int left = kDevicePicture.left + kButtonPoints[index].x - image.Width() / 2;
    const int top = kDevicePicture.top + kButtonPoints[index].y - image.Height() / 2;
    image.Draw(painter, Scaled({left, top, left + image.Width(), top + image.Height()}));
}

UiRect CCorvaneDlg::HighlightArea(int button)
{
    // Only the lit badge changes on the picture, so only its square is repainted.
    if (button < 1 || button > static_cast<int>(kButtonPoints.size()))
        return UiRect::None();
    const PicturePoint point = kButtonPoints[static_cast<std::size_t>(button - 1)];
    const int left = kDevicePicture.left + point.x - kHighlightSize / 2 - 1;
    const int top = kDevicePicture.top + point.y - kHighlightSize / 2 - 1;
    return Scaled({left, top, left + kHighlightSize + 2, top + kHighlightSize + 2});
}

void CCorvaneDlg::LoadHighlight(int button)
{
    if (button < 1 || button > static_cast<int>(m_highlights.size()))
        return;
    SkinImage& image = m_highlights[static_cast<std::size_t>(button - 1)];
    if (image.IsNull())
        (void)image.Load(QStringLiteral("mouse/number%1.png").arg(button));
}

int CCorvaneDlg::HeaderTop(int header) const
{
    switch (header) {
        case MainId::kHeaderDpi:
            return m_columnTops.dpi;
        case MainId::kHeaderLighting:
            return m_columnTops.lighting;
        case MainId::kHeaderRate:
            return m_columnTops.rate;
        case MainId::kHeaderLift:
            return m_columnTops.lift;
        case MainId::kHeaderPointer:
            return m_columnTops.pointer;
        default:
            return 0;
    }
}
