#pragma once

#include "macros/MacroItemLocation.h"

#include <QString>

#include <functional>

class CDlgBase;
class LanguageTexts;
class MacroLibrary;

// What a file dialog of the exchange commands asks for.
struct MacroFileRequest {
    enum class Mode { Save, Open };
    Mode mode = Mode::Open;
    QString title;
    QString extension;    // without the dot; added to a saved name that lacks it
    QString initialName;
    QString filter;
};

// The four exchange commands of the macro manager's context menu: export the selected
// macro (".mkf"), export the selection or everything (".mbf"), import one macro, import
// macros. Exports write the whole library with the selection as the file's marker;
// imports read the file into a library of their own and copy from it (MacroTransfer),
// then report what went wrong, if anything, with a notice over the owner.
class MacroFileCommands {
public:
    // The file the user picks; empty when the dialog was cancelled.
    using Chooser = std::function<QString(CDlgBase& owner, const MacroFileRequest& request)>;

    static constexpr int kTextExportMacroTitle = 253;
    static constexpr int kTextImportMacroTitle = 254;
    static constexpr int kTextExportMacrosTitle = 255;
    static constexpr int kTextImportMacrosTitle = 256;
    static constexpr int kTextNameExists = 241;
    static constexpr int kTextFileDamaged = 309;
    static constexpr int kTextNothingMarked = 310;
    static constexpr int kTextNotWritten = 311;
    static constexpr int kTextNoNumberLeft = 333;

    // The desktop's file dialogs, opening in the process's current folder.
    explicit MacroFileCommands(Chooser chooser = DesktopChooser());

    [[nodiscard]] static Chooser DesktopChooser();

    // Only a selected macro is exported.
    void ExportMacro(CDlgBase& owner, const LanguageTexts& texts, MacroLibrary& library,
                     const MacroItemLocation& selection) const;
    void ExportMacros(CDlgBase& owner, const LanguageTexts& texts, MacroLibrary& library,
                      const MacroItemLocation& selection) const;
    // Each returns the selection afterwards: the last item created, else `selection`.
    [[nodiscard]] MacroItemLocation ImportMacro(CDlgBase& owner, const LanguageTexts& texts, MacroLibrary& library,
                                                const MacroItemLocation& selection) const;
    [[nodiscard]] MacroItemLocation ImportMacros(CDlgBase& owner, const LanguageTexts& texts, MacroLibrary& library,
                                                 const MacroItemLocation& selection) const;

private:
    enum class Exchange { OneMacro, Macros };

    void Export(Exchange exchange, CDlgBase& owner, const LanguageTexts& texts, MacroLibrary& library,
                const MacroItemLocation& selection) const;
    [[nodiscard]] MacroItemLocation Import(Exchange exchange, CDlgBase& owner, const LanguageTexts& texts,
                                           MacroLibrary& library, const MacroItemLocation& selection) const;

    Chooser m_chooser;
};
