#include "CGalleryDlg.h"

#include "CGalleryPopup.h"

#include "ui/CEditBox.h"

#include "ui/CComboButton.h"
#include "ui/CImageButton.h"
#include "ui/CRowList.h"
#include "ui/CVScrollBar.h"
#include "ui/CStaticText.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"
#include "ui/UiState.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int kIdClose = 2001;
constexpr int kIdMinimise = 2002;
constexpr int kIdPopupOpener = 3100;
constexpr int kIdTree = 2015;
constexpr int kIdTreeBar = 2016;
constexpr int kIdActionBar = 2021;
constexpr UiMessage kOpenerNotify = Msg::kUser + 100;
constexpr int kPopupSlot = 0;
constexpr UiMessage kPopupDismissed = Msg::kUser + 5;  // kind 0

constexpr std::uint32_t kTitleColor = 0x35A0DE;
constexpr std::uint32_t kLabelColor = 0xB4B4B4;
constexpr std::uint32_t kPanelColor = 0x262626;

const QStringList kPopupEntries{QStringLiteral("Left click"), QStringLiteral("Right click"),
                                QStringLiteral("Middle click"), QStringLiteral("Forward"),
                                QStringLiteral("Back"), QStringLiteral("DPI +")};

// Section panels of the background, in design units.
struct Panel {
    int left, top, right, bottom;
};
constexpr Panel kPanels[] = {{10, 36, 370, 730}, {380, 36, 745, 730}, {755, 36, 1117, 730}};

}  // namespace

CGalleryDlg::CGalleryDlg()
{
    SetDialogRole(DialogRole::Main);
    SetFrameSize(UiScale::Scale(kDesignWidth), UiScale::Scale(kDesignHeight));
    UiState::Instance().DpiLevelMask = 0x07;
    UiState::Instance().CurrentProfileTab = 1;
    UiState::Instance().RadioSelection = 0x4 | 0x800;  // 3036 and 3240
    BuildGalleryBackground();
}

CGalleryDlg::~CGalleryDlg() = default;

void CGalleryDlg::BuildGalleryBackground()
{
    // The background is a design-size picture that BuildBackground scales once; it is
    // built against the design frame so that it fills the window at every scale.
    QImage picture(kDesignWidth, kDesignHeight, QImage::Format_RGB32);
    {
        QPainter painter(&picture);
        QLinearGradient gradient(0, 0, 0, kDesignHeight);
        gradient.setColorAt(0, QColor(0x20, 0x22, 0x26));
        gradient.setColorAt(1, QColor(0x10, 0x10, 0x12));
        painter.fillRect(picture.rect(), gradient);
        for (const Panel& panel : kPanels) {
            painter.fillRect(QRect(QPoint(panel.left, panel.top), QPoint(panel.right, panel.bottom)),
                             SkinPainter::FromColorRef(kPanelColor));
        }
    }
    const int width = FrameWidth();
    const int height = FrameHeight();
    SetFrameSize(kDesignWidth, kDesignHeight);
    BuildBackground(picture);
    SetFrameSize(width, height);
}

void CGalleryDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    painter.fillRect(clip.ToQRect(), SkinPainter::FromColorRef(AverageBackgroundColor()));
    DrawScaledBackground(painter);
    DrawControls(painter, clip);
}

int CGalleryDlg::ControlCount() const
{
    int count = 0;
    for (int layer = 0; layer < kLayerCount; ++layer)
        count += static_cast<int>(Layer(layer).size());
    return count;
}

void CGalleryDlg::AddSectionTitle(int left, int top, int right, const QString& title)
{
    const auto s = [](int v) { return UiScale::Scale(v); };
    AddControl(1, std::make_unique<CStaticText>(this, m_nextLabelId++,
                                                UiRect{s(left), s(top), s(right), s(top + 18)},
                                                kTitleColor, TextFormat::kSingleLine, title));
}

void CGalleryDlg::AddLabel(int left, int top, int right, int bottom, const QString& text,
                           unsigned format)
{
    const auto s = [](int v) { return UiScale::Scale(v); };
    AddControl(1, std::make_unique<CStaticText>(this, m_nextLabelId++,
                                                UiRect{s(left), s(top), s(right), s(bottom)},
                                                kLabelColor, format | TextFormat::kSingleLine, text));
}

void CGalleryDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    if (m_controlsCreated != 0)
        return;
    m_controlsCreated = 1;
    const auto s = [](int v) { return UiScale::Scale(v); };

    AddControl(1, std::make_unique<CStaticText>(
                      this, m_nextLabelId++, UiRect{s(16), s(8), s(700), s(30)}, 0xFFFFFF,
                      TextFormat::kSingleLine,
                      QStringLiteral("Corvane control gallery  -  UiScale %1").arg(UiScale::Get())));
    auto* minimise = AddControl(0, std::make_unique<CImageButton>(
                                       this, kIdMinimise, UiRect{s(1077), s(10), s(1092), s(25)}, 0));
    minimise->SetTextImages(QStringLiteral("min_nr.png"), QStringLiteral("min_ov.png"));
    auto* close = AddControl(0, std::make_unique<CImageButton>(
                                    this, kIdClose, UiRect{s(1100), s(10), s(1115), s(25)}, 0));
    close->SetTextImages(QStringLiteral("exit_nr.png"), QStringLiteral("exit_ov.png"));

    CreateButtonSection();
    CreateSelectionSection();
    CreateComboAndTabSection();
    CreateDialAndSliderSection();
    CreateDisplaySection();
    CreateListSection();
    CreateEditSection();
}

// ---------------------------------------------------------------------------------------
// Messages

LResult CGalleryDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CGalleryDlg> map{
        {kIdClose, &CGalleryDlg::OnClose},
        {kOpenerNotify, &CGalleryDlg::OnOpener},
        {CGalleryPopup::kResultMessage, &CGalleryDlg::OnPopupResult},
        {kPopupDismissed, &CGalleryDlg::OnPopupDismissed},
        {Msg::kPopupClosed, &CGalleryDlg::OnPopupClosed},
        {kIdTree, &CGalleryDlg::OnTreeMessage},
        {kIdTreeBar, &CGalleryDlg::OnTreeScroll},
        {kIdActionBar, &CGalleryDlg::OnActionScroll},
        {CEditBox::kNonDigitTyped, &CGalleryDlg::OnNonDigitTyped},
    };
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    if (message == static_cast<UiMessage>(kIdMinimise) && lParam == NotifyCode::kClick)
        showMinimized();
    return CDlgBase::OnMessage(message, wParam, lParam);
}

LResult CGalleryDlg::OnClose(WParam /*wParam*/, LParam lParam)
{
    if (lParam == NotifyCode::kClick) {
        ReleaseAllImages();
        close();
    }
    return 0;
}

LResult CGalleryDlg::OnOpener(WParam /*wParam*/, LParam lParam)
{
    if (lParam == NotifyCode::kClick)
        OpenPopup();
    return 0;
}

LResult CGalleryDlg::OnPopupResult(WParam wParam, LParam /*lParam*/)
{
    m_selectedEntry = static_cast<int>(wParam);
    if (m_selectedEntry >= 0 && m_selectedEntry < kPopupEntries.size()) {
        m_popupOpener->SetText(kPopupEntries[m_selectedEntry]);
        m_choiceText->SetText(QStringLiteral("Chosen: %1").arg(kPopupEntries[m_selectedEntry]));
        InvalidateRect(m_choiceText->GetRect());
    }
    ClosePopup(kPopupSlot);
    return 0;
}

LResult CGalleryDlg::OnPopupDismissed(WParam /*wParam*/, LParam /*lParam*/)
{
    ClosePopup(kPopupSlot);
    return 0;
}

LResult CGalleryDlg::OnPopupClosed(WParam /*wParam*/, LParam /*lParam*/)
{
    m_popupOpener->SetOpen(false);
    InvalidateRect(m_popupOpener->GetRect());
    return 0;
}

LResult CGalleryDlg::OnTreeMessage(WParam /*wParam*/, LParam /*lParam*/)
{
    // A folder may have opened or closed: the row count changed.
    SyncScrollBar(m_tree, m_treeBar);
    InvalidateRect(m_tree->GetRect());
    return 0;
}

LResult CGalleryDlg::OnTreeScroll(WParam wParam, LParam lParam)
{
    Scroll(m_tree, m_treeBar, wParam, lParam);
    return 0;
}

LResult CGalleryDlg::OnActionScroll(WParam wParam, LParam lParam)
{
    Scroll(m_actionList, m_actionBar, wParam, lParam);
    return 0;
}

void CGalleryDlg::Scroll(CRowList* list, CVScrollBar* bar, WParam part, LParam code)
{
    if (code == NotifyCode::kPress) {
        switch (part) {
        case ScrollPart::kLineUp: list->ScrollBy(-1); break;
        case ScrollPart::kLineDown: list->ScrollBy(1); break;
        case ScrollPart::kPageUp: list->ScrollBy(-list->VisibleRows()); break;
        case ScrollPart::kPageDown: list->ScrollBy(list->VisibleRows()); break;
        default: return;  // the thumb: its drags follow
        }
        SyncScrollBar(list, bar);
    } else if (code == NotifyCode::kDragValue) {
        list->SetFirstVisible(bar->GetPos());
    } else if (code == NotifyCode::kClick) {
        SyncScrollBar(list, bar);
    }
}

void CGalleryDlg::SyncScrollBar(CRowList* list, CVScrollBar* bar)
{
    bar->SetScrollInfo(list->FirstVisible(), list->VisibleRows(), list->RowCount());
}

void CGalleryDlg::OpenPopup()
{
    ClosePopup(kPopupSlot);
    auto* popup = new CGalleryPopup(kPopupEntries, m_selectedEntry);
    const UiRect opener = m_popupOpener->GetRect();
    const QPoint at = mapToGlobal(QPoint(opener.left, opener.bottom + UiScale::Scale(2)));
    const QSize design = CGalleryPopup::DesignSize(static_cast<int>(kPopupEntries.size()));
    const UiRect screen{at.x(), at.y(), at.x() + UiScale::Scale(design.width()),
                        at.y() + UiScale::Scale(design.height())};
    if (popup->Create(this, screen, 0, kIdPopupOpener) != 0) {
        delete popup;
        return;
    }
    SetPopup(kPopupSlot, popup);
    m_popupOpener->SetOpen(true);
    InvalidateRect(m_popupOpener->GetRect());
}

CGalleryPopup* CGalleryDlg::OpenedPopup() const
{
    return static_cast<CGalleryPopup*>(Popup(kPopupSlot));
}

QImage CGalleryDlg::RenderScreenshot()
{
    QImage image = grab().toImage();
    if (CGalleryPopup* popup = OpenedPopup(); popup != nullptr && popup->isVisible()) {
        QPainter painter(&image);
        painter.drawPixmap(mapFromGlobal(popup->pos()), popup->OffscreenImage());
    }
    return image;
}
