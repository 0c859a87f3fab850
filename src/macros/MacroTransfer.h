#pragma once

#include "macros/MacroItemLocation.h"

#include <string>
#include <vector>

class MacroLibrary;
struct MacroItem;
struct MacroKey;

// Moving macros between the library and the exchange files. An exchange file is a whole
// library file whose marker line names where the importer starts: ".mkf" files mark one
// macro, ".mbf" files the item that was selected (or nothing, for the whole tree). The
// importer loads the file into a second library and copies from there; these operations
// do the copying, the file and window work is the caller's.
class MacroTransfer {
public:
    enum class ExchangeKind { OneMacro, Macros };

    enum class Outcome {
        Imported,    // whatever could be created was (possibly nothing: a full folder)
        NameExists,  // a name is taken where it would go; nothing was changed
        NoItem,      // the marker names no item (or, for macros, an empty run); nothing changed
    };

    struct Result {
        Outcome outcome = Outcome::Imported;
        // The selection afterwards: the last item created, else the selection given.
        MacroItemLocation selection;
        int created = 0;
        // A macro was not created because every macro number has been handed out.
        bool numbersRanOut = false;
    };

    // The items an import takes from `source`: the block the marker points into, from the
    // marker's slot up to the block's first free slot (the whole top level for a negative
    // stage, nothing for a stage above 2 or an index outside the block).
    [[nodiscard]] static std::vector<MacroItemLocation> Run(const MacroLibrary& source,
                                                            const MacroItemLocation& marker);

    // A new macro takes the source's content: play mode, repeat count, both counts, name
    // and all 250 action slots. It keeps its own number.
    static void CopyContent(const MacroKey& from, MacroKey& to);

    // One macro: the item at the marker is created beside or inside the selection as a
    // new macro with the marker item's content (a marked folder gives an empty macro of
    // its name). A selected folder is opened.
    [[nodiscard]] static Result ImportMacro(MacroLibrary& library, const MacroLibrary& source,
                                            const MacroItemLocation& marker,
                                            const MacroItemLocation& selection);

    // The run (only the marked folder, when the marker names a folder) is first checked
    // for names already present where they would go; any one refuses the whole import.
    // Into a selected folder: macros of the run become its children and folders of the
    // run its subfolders holding their macro children (only a top-level folder takes
    // subfolders; the selected folder is opened). Otherwise everything goes to the top
    // level with its folders and their macros.
    [[nodiscard]] static Result ImportMacros(MacroLibrary& library, const MacroLibrary& source,
                                             const MacroItemLocation& marker,
                                             const MacroItemLocation& selection);

    // The file name an export dialog proposes: "<name>.mkf" / "<name>.mbf" with the
    // selected item's name, "AllMacroKey.mbf" for macros with nothing selected.
    [[nodiscard]] static std::u16string DefaultExportName(ExchangeKind kind, const MacroItem* selected);
    // "mkf" or "mbf".
    [[nodiscard]] static std::u16string Extension(ExchangeKind kind);
};
