#include "macros/windows/MacroManagerDialogs.h"

#include "macros/windows/CActionKeyModifyDlg.h"
#include "macros/windows/CActionTimeModifyDlg.h"
#include "macros/windows/CActionXYModifyDlg.h"
#include "macros/windows/CMacroKeyOrFolderNameDlg.h"
#include "macros/windows/CMacroKeyRenameDlg.h"
#include "macros/windows/MacroFileCommands.h"
#include "macros/windows/MacroManagerIds.h"
#include "ui/dialogs/CAttentionDlg.h"

void FillMacroManagerDialogs(MacroManagerServices& services, const LanguageTexts& texts, QWidget* owner)
{
    const LanguageTexts* language = &texts;
    if (!services.notice) {
        services.notice = [language, owner](int /*titleText*/, int messageText) {
            return CAttentionDlg::Show(*language, messageText, owner);
        };
    }
    if (!services.askName) {
        services.askName = [language, owner](int mode) -> std::optional<std::u16string> {
            CMacroKeyOrFolderNameDlg dialog(*language, mode, owner);
            if (dialog.DoModal() != DialogResult::kOk)
                return std::nullopt;
            return dialog.Result();
        };
    }
    if (!services.askRename) {
        services.askRename = [language, owner](const std::u16string& currentName) -> std::optional<std::u16string> {
            CMacroKeyRenameDlg dialog(*language, currentName, owner);
            if (dialog.DoModal() != DialogResult::kOk)
                return std::nullopt;
            return dialog.Result();
        };
    }
    MacroActionEditing::ValueDialogs& values = services.valueDialogs;
    if (!values.editDelay) {
        values.editDelay = [language, owner](MacroAction& action) {
            CActionTimeModifyDlg dialog(*language, action, owner);
            return dialog.DoModal() == DialogResult::kOk;
        };
    }
    if (!values.editKey) {
        values.editKey = [language, owner](std::uint8_t& code) {
            CActionKeyModifyDlg dialog(*language, code, owner);
            return dialog.DoModal() == DialogResult::kOk;
        };
    }
    if (!values.editMove) {
        values.editMove = [language, owner](MacroAction& action, int kind) {
            CActionXYModifyDlg dialog(*language, action, kind, owner);
            return dialog.DoModal() == DialogResult::kOk;
        };
    }
    if (!services.fileCommand) {
        services.fileCommand = [language](int command, CDlgBase& window, MacroLibrary& library,
                                          const MacroItemLocation& selection) -> std::optional<MacroItemLocation> {
            const MacroFileCommands commands;
            switch (command) {
            case MacroMenuCommand::kExportMacro:
                commands.ExportMacro(window, *language, library, selection);
                return std::nullopt;
            case MacroMenuCommand::kExportMacros:
                commands.ExportMacros(window, *language, library, selection);
                return std::nullopt;
            case MacroMenuCommand::kImportMacro:
                return commands.ImportMacro(window, *language, library, selection);
            case MacroMenuCommand::kImportMacros:
                return commands.ImportMacros(window, *language, library, selection);
            default:
                return std::nullopt;
            }
        };
    }
}
