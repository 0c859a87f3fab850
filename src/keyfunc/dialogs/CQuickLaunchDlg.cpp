#include "keyfunc/dialogs/CQuickLaunchDlg.h"

#include "keyfunc/dialogs/ProgramPicker.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

// Only the left and right edges are fixed for this dialog; the rows are ours, in the
// places the other two dialogs use.
const UiRect kPromptRect{10, 30, 360, 52};
const UiRect kBrowseRect{395, 58, 417, 80};
const UiRect kPathRect{20, 60, 370, 78};
const UiRect kOkRect{250, 110, 319, 130};
const UiRect kCancelRect{350, 110, 419, 130};

}  // namespace

CQuickLaunchDlg::CQuickLaunchDlg(CMessageWindow* owner, const LanguageTexts& texts, PickProgram pickProgram)
    : CKeyFunctionDlg(owner, texts, {}), m_pickProgram(std::move(pickProgram))
{
    if (!m_pickProgram)
        m_pickProgram = [](QWidget* parent) { return ProgramPicker().Pick(parent); };
}

CQuickLaunchDlg::~CQuickLaunchDlg() = default;

QString CQuickLaunchDlg::PathText() const
{
    return m_path != nullptr ? m_path->Text() : QString();
}

void CQuickLaunchDlg::CreateDialogControls()
{
    AddStatic(kIdPrompt, kPromptRect, kWhite, TextFormat::kSingleLine | TextFormat::kVCenter, Text(kTextPrompt));
    auto* browse = AddControl(0, std::make_unique<CImageButton>(this, kIdBrowse, Scaled(kBrowseRect), 0));
    browse->SetTextImages(QStringLiteral("Launch_nr.png"), QStringLiteral("Launch_ov.png"));
    browse->SetAccessibleName(Text(kTextBrowse));
    AddWhiteField(kPathRect);
    m_path = AddStatic(kIdPath, kPathRect, kBlack, TextFormat::kSingleLine | TextFormat::kVCenter, {});
    AddTextButton(kIdOk, kOkRect, kTextOk);
    AddTextButton(kIdCancel, kCancelRect, kTextCancel);
}

LResult CQuickLaunchDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CQuickLaunchDlg> map{
        {kIdBrowse, &CQuickLaunchDlg::OnBrowse},
        {kIdOk, &CQuickLaunchDlg::OnOkButton},
        {kIdCancel, &CQuickLaunchDlg::OnCancelButton},
        {kIdExit, &CQuickLaunchDlg::OnCancelButton},
    };
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CKeyFunctionDlg::OnMessage(message, wParam, lParam);
}

LResult CQuickLaunchDlg::OnBrowse(WParam /*wParam*/, LParam lParam)
{
    if (lParam != NotifyCode::kClick)
        return 0;
    const QString path = m_pickProgram(this);
    if (path.isEmpty())
        return 0;
    m_chosenPath = path;
    m_chosenName = QFileInfo(QDir::fromNativeSeparators(path)).fileName();
    m_path->SetText(m_chosenPath);
    InvalidateRect(m_path->GetRect());
    return 0;
}

LResult CQuickLaunchDlg::OnOkButton(WParam /*wParam*/, LParam lParam)
{
    if (lParam == NotifyCode::kClick)
        Confirm();
    return 0;
}

bool CQuickLaunchDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Confirm();
        return true;
    }
    return CKeyFunctionDlg::PreTranslateKeyDown(key, modifiers);
}

void CQuickLaunchDlg::Confirm()
{
    ReleaseAllImages();
    OnOK();
    // Without a program the button would be given a launch function that launches
    // nothing; it keeps the function it has.
    if (m_chosenPath.isEmpty())
        return;
    KeyFunctionResult result;
    result.name = m_chosenName.toStdU16String();
    result.path = m_chosenPath.toStdU16String();
    result.value = {static_cast<std::uint8_t>(FunctionType::LaunchProgram), kLaunchCode, 0x00};
    SendResult(kResultMessage, reinterpret_cast<WParam>(&result.path), result);
}
