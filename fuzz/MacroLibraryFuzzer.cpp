// Loads arbitrary bytes as a macro library file, then walks, saves, reloads and edits
// the result. Besides memory errors it checks what must hold for any input: the view
// walk and its inverse agree, and whatever was loaded saves to a file that loads back
// to the same text.
#include "FuzzInput.h"

#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Rows checked against LocationToRow (each check walks the view again).
constexpr std::int32_t kCheckedRows = 256;

void Require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void CheckView(const MacroLibrary& library)
{
    const std::int32_t rows = library.VisibleRowCount();
    for (std::int32_t row = 0; row < rows && row < kCheckedRows; ++row) {
        const MacroItemLocation location = library.RowToLocation(row);
        const MacroItem* item = library.Item(location);
        Require(item != nullptr && item->IsUsed());
        Require(library.LocationToRow(location) == row);
        if (item->macro != nullptr) {
            Require(library.KeyInSubtree(item->macro->MacroKeyIndex, location));
            Require(item->macro->UsableActionCount() == item->macro->MacroActionNum);
        }
    }
    Require(library.RowToLocation(rows).IsNone());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input(data, size);
    MacroLibrary library;
    const MacroLibraryLoadResult result = library.Load(input.Path());
    Require(result.ok == (result.failingLine == 0));
    CheckView(library);

    const auto saved = input.Folder() / "saved.mlf";
    Require(library.Save(saved, result.marker));
    MacroLibrary reloaded;
    const MacroLibraryLoadResult again = reloaded.Load(saved);
    Require(again.ok && again.marker == result.marker);
    Require(MacroLibraryFile::Format(reloaded, again.marker) ==
            MacroLibraryFile::Format(library, result.marker));

    // Edit the loaded tree the way the macro manager does: create at a row chosen by
    // the input, collapse, delete another row.
    const std::int32_t rows = library.VisibleRowCount();
    if (rows > 0 && size > 0) {
        MacroItemLocation selection = library.RowToLocation(data[0] % rows);
        static_cast<void>(library.CreateFolderAtSelection(u"fuzz folder", selection));
        static_cast<void>(library.CreateMacroAtSelection(u"fuzz macro", selection));
        library.CollapseAll();
        library.Delete(library.RowToLocation(data[size - 1] % library.VisibleRowCount()));
        CheckView(library);
        static_cast<void>(library.FindByNumber(static_cast<std::uint32_t>(size)));
    }
    library.Clear();
    Require(library.VisibleRowCount() == 0);
    return 0;
}
