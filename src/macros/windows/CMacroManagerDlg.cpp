#include "macros/windows/CMacroManagerDlg.h"

#include "macros/MacroLibrary.h"
#include "macros/windows/CMacroActionList.h"
#include "macros/windows/CMacroTreeList.h"
#include "macros/windows/ListScrolling.h"
#include "macros/windows/MacroManagerDialogs.h"
#include "macros/windows/MacroManagerIds.h"
#include "profiles/LanguageTexts.h"
#include "ui/CEditBox.h"
#include "ui/CVScrollBar.h"
#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

const QString kFrameImage = QStringLiteral("Frame_Macro_Manager.bmp");
constexpr std::uint32_t kListFrame = 0x949494;  // RGB(148,148,148)
const UiRect kTreeFrame{24, 53, 169, 324};
const UiRect kActionFrame{189, 53, 334, 324};

}  // namespace

CMacroManagerDlg::CMacroManagerDlg(const LanguageTexts& texts, MacroLibrary& library,
                                   std::filesystem::path libraryFile, MacroManagerServices services,
                                   QWidget* parent)
    : CDlgBase(parent),
      m_texts(texts),
      m_library(library),
      m_libraryFile(std::move(libraryFile)),
      m_services(std::move(services)),
      m_treeRows(library)
{
    FillMacroManagerDialogs(m_services, m_texts, this);
    SetFrameSize(UiScale::Scale(kDesignWidth), UiScale::Scale(kDesignHeight));
    // The frame picture has the window's own size: it is stretched to the window here,
    // not through BuildBackground, whose source is the main window's size.
    m_frame.Load(kFrameImage);
    // Every folder starts closed and nothing is selected.
    m_library.CollapseAll();
}

// The capture ends with the window, whatever state the recorder is in.
CMacroManagerDlg::~CMacroManagerDlg()
{
    m_hook.StopHook();
}

bool CMacroManagerDlg::OnInitDialog()
{
    const bool result = CDlgBase::OnInitDialog();
    RefreshSelection();
    m_repeatCount->end(false);
    return result;
}

QString CMacroManagerDlg::Text(int number) const
{
    return QString::fromStdU16String(m_texts.Text(static_cast<std::size_t>(number)));
}

int CMacroManagerDlg::Notice(int messageText) const
{
    if (!m_services.notice)
        return DialogResult::kCancel;
    return m_services.notice(MacroManagerText::kNoticeTitle, messageText);
}

void CMacroManagerDlg::SaveLibrary()
{
    std::error_code error;
    std::filesystem::create_directories(m_libraryFile.parent_path(), error);
    // The file keeps no selection of the manager's.
    m_saved = m_library.Save(m_libraryFile, MacroItemLocation::None());
}

MacroKey* CMacroManagerDlg::MacroAtSelection() const
{
    const MacroItem* item = m_library.Item(m_selection);
    if (item == nullptr || !item->IsUsed() || item->isFolder)
        return nullptr;
    return item->macro.get();
}

int CMacroManagerDlg::SelectedAction() const
{
    return m_actions != nullptr ? m_actions->Selection() : -1;
}

CRowList& CMacroManagerDlg::TreeList() const
{
    return *m_tree;
}

CRowList& CMacroManagerDlg::ActionList() const
{
    return *m_actions;
}

void CMacroManagerDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    painter.fillRect(rect(), SkinPainter::FromColorRef(AverageBackgroundColor()));
    m_frame.Draw(painter, UiRect{0, 0, width(), height()});
    painter.save();
    painter.setPen(SkinPainter::FromColorRef(kListFrame));
    painter.setBrush(Qt::NoBrush);
    for (const UiRect& frame : {kTreeFrame, kActionFrame}) {
        const UiRect scaled = Scaled(frame);
        painter.drawRect(scaled.left, scaled.top, scaled.Width() - 1, scaled.Height() - 1);
    }
    painter.restore();
    DrawControls(painter, clip);
}

LResult CMacroManagerDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    using namespace MacroManagerId;
    static const MessageMap<CMacroManagerDlg> map{
        {kExit, &CMacroManagerDlg::OnClose},
        {kNewMacro, &CMacroManagerDlg::OnNewMacroButton},
        {kDeleteItem, &CMacroManagerDlg::OnDeleteItemButton},
        {kModifyAction, &CMacroManagerDlg::OnModifyButton},
        {kDeleteAction, &CMacroManagerDlg::OnDeleteActionButton},
        {kTree, &CMacroManagerDlg::OnTree},
        {kTreeScrollBar, &CMacroManagerDlg::OnTreeScroll},
        {kActionList, &CMacroManagerDlg::OnActionList},
        {kActionScrollBar, &CMacroManagerDlg::OnActionScroll},
        {kRecord, &CMacroManagerDlg::OnRecordButton},
        {kRepeatCount, &CMacroManagerDlg::OnRepeatCountChanged},
        {kFixedDelay, &CMacroManagerDlg::OnFixedDelayChanged},
        {MacroManagerMsg::kInsertOpener, &CMacroManagerDlg::OnInsertOpener},
        {MacroManagerMsg::kInsertChosen, &CMacroManagerDlg::OnInsertChosen},
        {MacroManagerMsg::kInsertClosed, &CMacroManagerDlg::OnInsertClosed},
        {MacroManagerMsg::kMenuChosen, &CMacroManagerDlg::OnMenuChosen},
        {MacroManagerMsg::kMenuClosed, &CMacroManagerDlg::OnMenuClosed},
        {KeyHook::kMessage, &CMacroManagerDlg::OnKeyHook},
        {CEditBox::kNonDigitTyped, &CMacroManagerDlg::OnNonDigitTyped},
    };
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    const int id = static_cast<int>(message);
    if (id == kModeOne || id == kModeFour || id == kModeCount) {
        OnPlayMode(id, lParam);
        return 0;
    }
    if (id == kMeasuredDelay || id == kFixedDelayMode) {
        OnDelayMode(id, lParam);
        return 0;
    }
    return CDlgBase::OnMessage(message, wParam, lParam);
}

bool CMacroManagerDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

// While recording, every key is the recording's (the capture reads it before the window
// does): none moves the focus, presses a control or types into a box, and none raises the
// typing notice, which would take the keyboard from the keys being recorded.
bool CMacroManagerDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (m_recorder.IsRecording() && IsKeyEvent(event))
        return true;
    return CDlgBase::eventFilter(watched, event);
}

bool CMacroManagerDlg::event(QEvent* event)
{
    if (m_recorder.IsRecording() && IsKeyEvent(event)) {
        event->accept();
        return true;
    }
    return CDlgBase::event(event);
}

bool CMacroManagerDlg::IsKeyEvent(const QEvent* event)
{
    const QEvent::Type type = event->type();
    return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
}

// Characters typed while the window itself has the keyboard; the edit boxes report their
// own (OnNonDigitTyped). A key that the window takes as a command (Tab moving the focus,
// Space pressing the focused control, an arrow moving in a list) is not typing.
void CMacroManagerDlg::keyPressEvent(QKeyEvent* event)
{
    if (HandleDialogKey(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    for (const QChar character : event->text()) {
        if (character.isPrint() && !character.isDigit()) {
            (void)Notice(MacroManagerText::kDigitsOnly);
            break;
        }
    }
    CDlgBase::keyPressEvent(event);
}

LResult CMacroManagerDlg::OnNonDigitTyped(WParam /*wParam*/, LParam /*lParam*/)
{
    (void)Notice(MacroManagerText::kDigitsOnly);
    return 0;
}

bool CMacroManagerDlg::OnMouseWheel(unsigned /*flags*/, int delta, QPoint point)
{
    if (m_tree->GetRect().Contains(point))
        ListScrolling::OnWheel(*m_tree, *m_treeBar, delta);
    else if (m_actions->GetRect().Contains(point))
        ListScrolling::OnWheel(*m_actions, *m_actionBar, delta);
    else
        return false;
    InvalidateAll();
    return true;
}

LResult CMacroManagerDlg::OnClose(WParam /*wParam*/, LParam code)
{
    if (code != NotifyCode::kClick)
        return 0;
    OnCancel();
    return 0;
}

void CMacroManagerDlg::OnCancel()
{
    if (m_closed)
        return;
    m_closed = true;
    // The close button is locked while recording; a close from the window system still
    // ends the recording as the record button would.
    if (m_recorder.IsRecording())
        StopRecording();
    m_selection = MacroItemLocation::None();
    SaveLibrary();
    ReleaseAllImages();
    EndDialog(DialogResult::kOk);
}
