#include "ui/dialogs/CFramedDlg.h"

#include "profiles/LanguageTexts.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QPainter>

namespace {

// The language text that names the close cross for assistive technology.
constexpr int kCloseText = 312;

UiRect Scaled(const UiRect& design)
{
    return {UiScale::Scale(design.left), UiScale::Scale(design.top), UiScale::Scale(design.right),
            UiScale::Scale(design.bottom)};
}

}  // namespace

CFramedDlg::CFramedDlg(QWidget* owner, const LanguageTexts& texts, int designWidth, int designHeight,
                       QString framePicture)
    : CDlgBase(owner), m_texts(texts), m_designWidth(designWidth), m_designHeight(designHeight)
{
    SetFrameSize(UiScale::Scale(designWidth), UiScale::Scale(designHeight));
    m_frame.Load(framePicture);
}

QString CFramedDlg::Text(int number) const
{
    return QString::fromStdU16String(m_texts.Text(static_cast<std::size_t>(number)));
}

void CFramedDlg::DrawFrame(QPainter& painter)
{
    painter.fillRect(rect(), SkinPainter::FromColorRef(AverageBackgroundColor()));
    m_frame.Draw(painter, UiRect{0, 0, UiScale::Scale(m_designWidth), UiScale::Scale(m_designHeight)});
}

void CFramedDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    DrawFrame(painter);
    DrawControls(painter, clip);
}

CImageButton* CFramedDlg::AddCloseCross(const UiRect& design)
{
    auto* cross = AddControl(0, std::make_unique<CImageButton>(this, kIdCloseCross, Scaled(design), TextFormat::kCenter));
    cross->SetTextImages(QStringLiteral("exit_nr.png"), QStringLiteral("exit_ov.png"));
    cross->SetAccessibleName(Text(kCloseText));
    return cross;
}

CImageButton* CFramedDlg::AddTextButton(int id, const UiRect& design, int textNumber)
{
    auto* button = AddControl(0, std::make_unique<CImageButton>(this, id, Scaled(design), TextFormat::kCenter,
                                                                Text(textNumber)));
    button->SetTextImages(QStringLiteral("button2_nr.png"), QStringLiteral("button2_ov.png"));
    return button;
}

CStaticText* CFramedDlg::AddLabel(int id, const UiRect& design, const QString& text, unsigned format)
{
    return AddControl(1, std::make_unique<CStaticText>(this, id, Scaled(design), kLabelColor, format, text));
}

void CFramedDlg::CloseWithCancel()
{
    ReleaseAllImages();
    OnCancel();
}

LResult CFramedDlg::OnCloseClick(WParam /*wParam*/, LParam lParam)
{
    if (IsClick(lParam))
        CloseWithCancel();
    return 0;
}

bool CFramedDlg::IsClick(LParam code)
{
    return code == NotifyCode::kClick;
}
