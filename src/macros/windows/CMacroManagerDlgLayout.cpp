// The controls of the macro manager at their design places, and the lock while recording.
#include "macros/windows/CMacroManagerDlg.h"

#include "macros/windows/CMacroActionList.h"
#include "macros/windows/CMacroTreeList.h"
#include "macros/windows/MacroManagerIds.h"
#include "profiles/LanguageTexts.h"
#include "ui/CCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CEditBox.h"
#include "ui/CImageButton.h"
#include "ui/CRadioButton.h"
#include "ui/CStaticText.h"
#include "ui/CVScrollBar.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

namespace {

using namespace MacroManagerId;
namespace Text = MacroManagerText;

constexpr std::uint32_t kLabelColor = 0xB4B4B4;  // RGB(180,180,180)
constexpr unsigned kLabel = TextFormat::kSingleLine | TextFormat::kVCenter;

const UiRect kExitRect{505, 3, 520, 18};
const UiRect kTreeRect{25, 54, 168, 323};
const UiRect kTreeBarRect{168, 54, 187, 323};
const UiRect kActionRect{190, 54, 333, 323};
const UiRect kActionBarRect{333, 54, 352, 323};
const UiRect kRecordRect{370, 53, 460, 71};
const UiRect kMeasuredRect{370, 86, 381, 97};
const UiRect kFixedRect{370, 115, 381, 126};
const UiRect kRepeatCountRect{392, 219, 470, 239};
const UiRect kInsertOpenerRect{370, 279, 487, 293};
// The fixed-delay box sits further left beside the Chinese label, which is longer.
constexpr int kFixedDelayLeftChinese = 470;
constexpr int kFixedDelayLeft = 485;
constexpr int kFixedDelayWidth = 40;
constexpr int kFixedDelayTop = 110;
constexpr int kFixedDelayBottom = 130;
const std::u16string kChineseLanguageName = u"\u4E2D\u6587";

struct Label {
    int id;
    UiRect rect;
    int text;
};
constexpr Label kLabels[] = {
    {kTreeTitle, {24, 35, 124, 52}, Text::kTreeTitle},
    {kActionTitle, {189, 35, 289, 52}, Text::kActionTitle},
    {kDelayLabel, {390, 84, 590, 102}, Text::kMeasuredDelay},
    {kDelayLabel, {390, 113, 590, 131}, Text::kFixedDelay},
    {kModeOneLabel, {390, 142, 590, 159}, Text::kModeOne},
    {kModeFourLabel, {390, 170, 590, 187}, Text::kModeFour},
    {kModeCountLabel, {390, 198, 590, 215}, Text::kModeCount},
    {kActionTitle, {370, 259, 470, 276}, Text::kInsertAction},
};

// The radios show only a picture: each is named by its label's text.
struct RadioPlace {
    int id;
    UiRect rect;
    int name;
};
constexpr RadioPlace kRadios[] = {
    {kModeOne, {368, 142, 383, 157}, Text::kModeOne},
    {kModeFour, {368, 170, 383, 185}, Text::kModeFour},
    {kModeCount, {368, 198, 383, 213}, Text::kModeCount},
};

struct ButtonPlace {
    int id;
    UiRect rect;
    int text;
};
constexpr ButtonPlace kButtons[] = {
    {kNewMacro, {24, 333, 89, 356}, Text::kNew},
    {kDeleteItem, {104, 333, 169, 356}, Text::kDelete},
    {kModifyAction, {189, 333, 254, 356}, Text::kModify},
    {kDeleteAction, {269, 333, 334, 356}, Text::kDelete},
    {kButtonOk, {367, 333, 432, 356}, Text::kOk},
    {kButtonCancel, {444, 333, 509, 356}, Text::kCancel},
};

}  // namespace

UiRect CMacroManagerDlg::Scaled(const UiRect& design)
{
    return {UiScale::Scale(design.left), UiScale::Scale(design.top), UiScale::Scale(design.right),
            UiScale::Scale(design.bottom)};
}

void CMacroManagerDlg::AddLabel(int id, const UiRect& design, int text)
{
    AddControl(1, std::make_unique<CStaticText>(this, id, Scaled(design), kLabelColor, kLabel, Text(text)));
}

CImageButton* CMacroManagerDlg::AddTextButton(int id, const UiRect& design, int text)
{
    auto* button =
        AddControl(0, std::make_unique<CImageButton>(this, id, Scaled(design), TextFormat::kCenter, Text(text)));
    button->SetTextImages(QStringLiteral("button2_nr.png"), QStringLiteral("button2_ov.png"));
    return button;
}

void CMacroManagerDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    if (m_controlsCreated != 0)
        return;
    m_controlsCreated = 1;

    auto* exit = AddControl(0, std::make_unique<CImageButton>(this, kExit, Scaled(kExitRect), 0));
    exit->SetTextImages(QStringLiteral("exit_nr.png"), QStringLiteral("exit_ov.png"));
    exit->SetAccessibleName(Text(Text::kClose));
    for (const Label& label : kLabels)
        AddLabel(label.id, label.rect, label.text);

    m_tree = AddControl(0, std::make_unique<CMacroTreeList>(this, Scaled(kTreeRect)));
    m_tree->SetFolderImages(QStringLiteral("foldr_open.png"), QStringLiteral("foldr_close.png"));
    m_tree->SetSource(&m_treeRows);
    m_treeBar = AddControl(0, std::make_unique<CVScrollBar>(this, kTreeScrollBar, Scaled(kTreeBarRect)));
    // Each list and its scroll bar are named by the list's title.
    m_tree->SetAccessibleName(Text(Text::kTreeTitle));
    m_treeBar->SetAccessibleName(Text(Text::kTreeTitle));

    m_actions = AddControl(0, std::make_unique<CMacroActionList>(this, Scaled(kActionRect)));
    m_actions->SetIcon(static_cast<int>(MacroActionEditing::ActionPicture::Time), QStringLiteral("macro_time.png"));
    m_actions->SetIcon(static_cast<int>(MacroActionEditing::ActionPicture::Release), QStringLiteral("macro_up.png"));
    m_actions->SetIcon(static_cast<int>(MacroActionEditing::ActionPicture::Press), QStringLiteral("macro_down.png"));
    m_actionRows.SetTransitionNames(Text(Text::kKeyPressed), Text(Text::kKeyReleased));
    m_actions->SetRows(&m_actionRows);
    m_actionBar = AddControl(0, std::make_unique<CVScrollBar>(this, kActionScrollBar, Scaled(kActionBarRect)));
    m_actions->SetAccessibleName(Text(Text::kActionTitle));
    m_actionBar->SetAccessibleName(Text(Text::kActionTitle));

    m_record = AddControl(0, std::make_unique<CCheckButton>(this, kRecord, Scaled(kRecordRect), TextFormat::kCenter));
    m_record->SetImages(QStringLiteral("macro_record_nr.png"), QStringLiteral("macro_record_nr.png"),
                        QStringLiteral("macro_record_dn.png"));
    m_record->SetCaptions(Text(Text::kRecord), Text(Text::kStop));

    for (const auto& [check, id, place, name] :
         {std::tuple{&m_measured, kMeasuredDelay, kMeasuredRect, Text::kMeasuredDelay},
          std::tuple{&m_fixed, kFixedDelayMode, kFixedRect, Text::kFixedDelay}}) {
        *check = AddControl(0, std::make_unique<CCheckButton>(this, id, Scaled(place), 0));
        (*check)->SetImages(QStringLiteral("check_nr.png"), QStringLiteral("check_ov.png"),
                            QStringLiteral("check_dn.png"));
        (*check)->SetAccessibleName(Text(name));
    }
    m_measured->SetChecked(true);

    const int fixedLeft = m_texts.Text(0) == kChineseLanguageName ? kFixedDelayLeftChinese : kFixedDelayLeft;
    m_fixedDelay = new CEditBox(this, kFixedDelay,
                                {fixedLeft, kFixedDelayTop, fixedLeft + kFixedDelayWidth, kFixedDelayBottom},
                                EditBoxColors::Dark(), EditBoxFilter::DigitsReported);
    m_fixedDelay->SetText(QString::number(MacroRecorder::kDefaultFixedDelay));
    m_fixedDelay->setAccessibleName(Text(Text::kFixedDelay));

    for (const RadioPlace& radio : kRadios) {
        auto* button = AddControl(0, std::make_unique<CRadioButton>(this, radio.id, Scaled(radio.rect)));
        button->SetImages(QStringLiteral("radio_nr.png"), QStringLiteral("radio_ov.png"),
                          QStringLiteral("radio_dn.png"));
        button->SetAccessibleName(Text(radio.name));
    }
    m_repeatCount = new CEditBox(this, kRepeatCount, kRepeatCountRect, EditBoxColors::Dark(),
                                 EditBoxFilter::DigitsReported);
    m_repeatCount->setAccessibleName(Text(Text::kModeCount));
    m_repeatCount->hide();

    m_insertOpener = AddControl(0, std::make_unique<CComboButton>(this, MacroManagerMsg::kInsertOpener,
                                                                  kInsertOpener, Scaled(kInsertOpenerRect),
                                                                  TextFormat::kCenter));
    m_insertOpener->SetImages(QStringLiteral("combo3_nr.png"), QStringLiteral("combo3_ov.png"));
    m_insertOpener->SetAccessibleName(Text(Text::kInsertAction));

    for (const ButtonPlace& button : kButtons)
        AddTextButton(button.id, button.rect, button.text);
}

void CMacroManagerDlg::LockForRecording(bool locked)
{
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (const auto& control : Layer(layer))
            control->SetDisabled(locked);
    }
    if (locked) {
        m_record->SetDisabled(false);
        m_insertOpener->SetDisabled(false);
        // The keys typed now are the recording's, not the boxes' text: the window keeps
        // the keyboard and the boxes take neither keys nor clicks until the end.
        setFocus(Qt::OtherFocusReason);
    }
    m_fixedDelay->setEnabled(!locked);
    m_repeatCount->setEnabled(!locked);
    InvalidateAll();
}
