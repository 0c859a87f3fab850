#include "macros/windows/MacroFileCommands.h"

#include "macros/MacroLibrary.h"
#include "profiles/LanguageTexts.h"
#include "profiles/OfferedFileCheck.h"
#include "macros/MacroTransfer.h"
#include "profiles/PathText.h"
#include "ui/dialogs/CAttentionDlg.h"

#include <QDir>
#include <QFileDialog>

namespace {

using ExchangeKind = MacroTransfer::ExchangeKind;

QString Extension(ExchangeKind kind)
{
    return QString::fromStdU16String(MacroTransfer::Extension(kind));
}

QString Filter(ExchangeKind kind)
{
    return QStringLiteral("%1 file(*.%1)").arg(Extension(kind));
}

QString Title(const LanguageTexts& texts, int number)
{
    return QString::fromStdU16String(texts.Text(static_cast<std::size_t>(number)));
}

}  // namespace

MacroFileCommands::MacroFileCommands(Chooser chooser) : m_chooser(std::move(chooser)) {}

MacroFileCommands::Chooser MacroFileCommands::DesktopChooser()
{
    return [](CDlgBase& owner, const MacroFileRequest& request) -> QString {
        const bool save = request.mode == MacroFileRequest::Mode::Save;
        QFileDialog dialog(&owner, request.title, QDir::currentPath(), request.filter);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(request.extension);
        dialog.selectFile(request.initialName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    };
}

void MacroFileCommands::ExportMacro(CDlgBase& owner, const LanguageTexts& texts, MacroLibrary& library,
                                    const MacroItemLocation& selection) const
{
    const MacroItem* item = library.Item(selection);
    if (item == nullptr || !item->IsUsed() || item->isFolder)
        return;
    Export(Exchange::OneMacro, owner, texts, library, selection);
}

void MacroFileCommands::ExportMacros(CDlgBase& owner, const LanguageTexts& texts, MacroLibrary& library,
                                     const MacroItemLocation& selection) const
{
    Export(Exchange::Macros, owner, texts, library, selection);
}

MacroItemLocation MacroFileCommands::ImportMacro(CDlgBase& owner, const LanguageTexts& texts, MacroLibrary& library,
                                                 const MacroItemLocation& selection) const
{
    return Import(Exchange::OneMacro, owner, texts, library, selection);
}

MacroItemLocation MacroFileCommands::ImportMacros(CDlgBase& owner, const LanguageTexts& texts,
                                                  MacroLibrary& library, const MacroItemLocation& selection) const
{
    return Import(Exchange::Macros, owner, texts, library, selection);
}

void MacroFileCommands::Export(Exchange exchange, CDlgBase& owner, const LanguageTexts& texts,
                               MacroLibrary& library, const MacroItemLocation& selection) const
{
    const ExchangeKind kind = exchange == Exchange::OneMacro ? ExchangeKind::OneMacro : ExchangeKind::Macros;
    const MacroItem* selected = library.Item(selection);
    const MacroFileRequest request{
        MacroFileRequest::Mode::Save,
        Title(texts, exchange == Exchange::OneMacro ? kTextExportMacroTitle : kTextExportMacrosTitle),
        Extension(kind),
        QString::fromStdU16String(
            MacroTransfer::DefaultExportName(kind, selected != nullptr && selected->IsUsed() ? selected : nullptr)),
        Filter(kind),
    };
    const QString path = m_chooser(owner, request);
    if (path.isEmpty())
        return;
    // The user chose this file: a write that fails is said, not passed over.
    if (!library.Save(PathFromText(path.toStdU16String()), selection))
        CAttentionDlg::Show(texts, kTextNotWritten, &owner);
}

MacroItemLocation MacroFileCommands::Import(Exchange exchange, CDlgBase& owner, const LanguageTexts& texts,
                                            MacroLibrary& library, const MacroItemLocation& selection) const
{
    const ExchangeKind kind = exchange == Exchange::OneMacro ? ExchangeKind::OneMacro : ExchangeKind::Macros;
    const MacroFileRequest request{
        MacroFileRequest::Mode::Open,
        Title(texts, exchange == Exchange::OneMacro ? kTextImportMacroTitle : kTextImportMacrosTitle),
        Extension(kind),
        QStringLiteral(".") + Extension(kind),
        Filter(kind),
    };
    const QString path = m_chooser(owner, request);
    if (path.isEmpty())
        return selection;
    // A file far larger than any macro library is refused before it is read: reading it
    // here would stall the window and fill the memory.
    const OfferedFile offered = CheckOfferedFile(PathFromText(path.toStdU16String()), OfferedFileLimit::kMacros);
    if (offered.problem == OfferedFileProblem::TooLarge) {
        CAttentionDlg attention(texts, Title(texts, CAttentionDlg::kTextTitle),
                                QStringLiteral("%1 is not a macro file: it holds %2 bytes, far more than a "
                                               "macro library.")
                                    .arg(path)
                                    .arg(offered.size),
                                &owner);
        (void)attention.DoModal();
        return selection;
    }

    // Whatever the file held up to a fault is imported; the user is told about the rest.
    MacroLibrary source;
    const MacroLibraryLoadResult loaded = source.Load(PathFromText(path.toStdU16String()));
    const MacroTransfer::Result result =
        exchange == Exchange::OneMacro ? MacroTransfer::ImportMacro(library, source, loaded.marker, selection)
                                       : MacroTransfer::ImportMacros(library, source, loaded.marker, selection);
    switch (result.outcome) {
    case MacroTransfer::Outcome::NameExists:
        CAttentionDlg::Show(texts, kTextNameExists, &owner);
        break;
    case MacroTransfer::Outcome::NoItem:
        CAttentionDlg::Show(texts, loaded.ok ? kTextNothingMarked : kTextFileDamaged, &owner);
        break;
    case MacroTransfer::Outcome::Imported:
        if (!loaded.ok)
            CAttentionDlg::Show(texts, kTextFileDamaged, &owner);
        if (result.numbersRanOut)
            CAttentionDlg::Show(texts, kTextNoNumberLeft, &owner);
        break;
    }
    return result.selection;
}
