#include "keyfunc/dialogs/CKeyFunctionDlg.h"

#include "profiles/LanguageTexts.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/SkinPainter.h"
#include "ui/SkinImage.h"
#include "ui/UiScale.h"

#include <QPainter>

namespace {

// The language text that names the close cross for assistive technology.
constexpr int kCloseText = 312;

const QString kFrameImage = QStringLiteral("Frame_common.bmp");
const UiRect kExitRect{405, 4, 420, 19};

}  // namespace

CKeyFunctionDlg::CKeyFunctionDlg(CMessageWindow* owner, const LanguageTexts& texts, ShowNotice showNotice)
    : CDlgBase(owner), m_owner(owner), m_texts(texts), m_showNotice(std::move(showNotice))
{
    SetFrameSize(UiScale::Scale(kDesignWidth), UiScale::Scale(kDesignHeight));
    // The frame picture has the dialog's own size; it is stretched to the window here
    // rather than through BuildBackground, whose source is the main window's size.
    m_frame.Load(kFrameImage);
}

CKeyFunctionDlg::~CKeyFunctionDlg() = default;

QString CKeyFunctionDlg::Text(int number) const
{
    return QString::fromStdU16String(m_texts.Text(static_cast<std::size_t>(number)));
}

void CKeyFunctionDlg::Notice(int messageText) const
{
    if (m_showNotice)
        m_showNotice(kTextNoticeTitle, messageText);
}

void CKeyFunctionDlg::SendResult(UiMessage message, WParam wParam, const KeyFunctionResult& result)
{
    if (m_owner != nullptr)
        m_owner->SendMessage(message, wParam, reinterpret_cast<LParam>(&result));
}

UiRect CKeyFunctionDlg::Scaled(const UiRect& design)
{
    return {UiScale::Scale(design.left), UiScale::Scale(design.top), UiScale::Scale(design.right),
            UiScale::Scale(design.bottom)};
}

CStaticText* CKeyFunctionDlg::AddStatic(int id, const UiRect& design, std::uint32_t colorRef, unsigned format,
                                        const QString& text)
{
    return AddControl(1, std::make_unique<CStaticText>(this, id, Scaled(design), colorRef, format, text));
}

void CKeyFunctionDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    if (m_controlsCreated != 0)
        return;
    m_controlsCreated = 1;
    auto* exit = AddControl(0, std::make_unique<CImageButton>(this, kIdExit, Scaled(kExitRect), 0));
    exit->SetTextImages(QStringLiteral("exit_nr.png"), QStringLiteral("exit_ov.png"));
    exit->SetAccessibleName(Text(kCloseText));
    CreateDialogControls();
}

LResult CKeyFunctionDlg::OnCancelButton(WParam /*wParam*/, LParam lParam)
{
    if (lParam == NotifyCode::kClick) {
        ReleaseAllImages();
        OnCancel();
    }
    return 0;
}

CImageButton* CKeyFunctionDlg::AddTextButton(int id, const UiRect& design, int textNumber)
{
    auto* button = AddControl(
        0, std::make_unique<CImageButton>(this, id, Scaled(design), TextFormat::kCenter, Text(textNumber)));
    button->SetTextImages(QStringLiteral("button2_nr.png"), QStringLiteral("button2_ov.png"));
    return button;
}

void CKeyFunctionDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    painter.fillRect(rect(), SkinPainter::FromColorRef(AverageBackgroundColor()));
    m_frame.Draw(painter, UiRect{0, 0, width(), height()});
    for (const UiRect& field : m_whiteFields)
        painter.fillRect(Scaled(field).ToQRect(), Qt::white);
    DrawControls(painter, clip);
}
