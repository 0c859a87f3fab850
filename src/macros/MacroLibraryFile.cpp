#include "macros/MacroLibraryFile.h"

#include "macros/MacroLibrary.h"
#include "profiles/CStdioFileEx.h"
#include "profiles/TextNumbers.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string_view>
#include <utility>

namespace {

constexpr std::u16string_view kHeader = u"[MacroLibrary]";
constexpr std::u16string_view kMarkerKey = u"Select Locaton:";
constexpr std::u16string_view kItemLocationKey = u"MacroItemLocation:";
constexpr std::size_t kActionDigits = 8;
constexpr std::size_t kAllActionLength = MacroKey::kMaxActions * kActionDigits;

// Room for the fixed text of one record besides the name and the actions.
constexpr std::size_t kRecordOverhead = 320;
// Saving hands the text to the file in pieces of about this many characters.
constexpr std::size_t kPieceLength = 16 * 1024;

// --- reading ---------------------------------------------------------------------

// The text after the first "="; false when there is no "=" or nothing follows it.
bool ValueAfterEquals(std::u16string_view line, std::u16string_view& value)
{
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos || equals + 1 == line.size()) {
        return false;
    }
    value = line.substr(equals + 1);
    return true;
}

std::int32_t ToInt32(std::int64_t value)
{
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

// Unsigned fields are written with %u, so they are read back over the whole 32-bit
// range: optional blanks and sign, decimal digits, saturating at 2^32-1; a minus sign
// wraps as the C library's strtoul does.
std::uint32_t ParseUnsigned32(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - u'0');
        if (value > kMax) {
            value = kMax;
        }
    }
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? 0u - result : result;
}

// The k-th of the four values lies between the k-th "=" and the k-th ";", each searched
// after the previous one of its kind. A missing "=", or one that ends the line, fails;
// a value whose ";" is missing or comes before its "=" is 0.
bool ParseLocation(std::u16string_view line, MacroItemLocation& location)
{
    std::array<std::int32_t, 4> values{};
    std::size_t equalsFrom = 0;
    std::size_t semicolonFrom = 0;
    for (std::int32_t& value : values) {
        const std::size_t equals = line.find(u'=', equalsFrom);
        if (equals == std::u16string_view::npos || equals + 1 == line.size()) {
            return false;
        }
        equalsFrom = equals + 1;
        const std::size_t semicolon = line.find(u';', semicolonFrom);
        semicolonFrom = semicolon == std::u16string_view::npos ? line.size() : semicolon + 1;
        if (semicolon != std::u16string_view::npos && semicolon > equals) {
            value = ToInt32(TextNumbers::ParseDecimal(line.substr(equals + 1, semicolon - equals - 1)));
        }
    }
    location = {values[0], values[1], values[2], values[3]};
    return true;
}

constexpr std::array<std::int8_t, 128> kHexValues = [] {
    std::array<std::int8_t, 128> table{};
    for (auto& entry : table) {
        entry = -1;
    }
    for (int digit = 0; digit < 10; ++digit) {
        table[static_cast<std::size_t>('0' + digit)] = static_cast<std::int8_t>(digit);
    }
    for (int digit = 0; digit < 6; ++digit) {
        table[static_cast<std::size_t>('A' + digit)] = static_cast<std::int8_t>(10 + digit);
        table[static_cast<std::size_t>('a' + digit)] = static_cast<std::int8_t>(10 + digit);
    }
    return table;
}();

int HexValue(char16_t c)
{
    return c < kHexValues.size() ? kHexValues[c] : -1;
}

// One byte from two hexadecimal characters; a pair that is not valid hexadecimal gives
// the value of its valid leading digit, or 0.
std::uint8_t ParseHexPair(char16_t high, char16_t low)
{
    const int highValue = HexValue(high);
    if (highValue < 0) {
        return 0;
    }
    const int lowValue = HexValue(low);
    return static_cast<std::uint8_t>(lowValue < 0 ? highValue : highValue * 16 + lowValue);
}

void ParseActions(std::u16string_view text, MacroKey& macro)
{
    const char16_t* digits = text.data();
    for (MacroAction& action : macro.actions) {
        action = MacroAction::FromBytes(
            ParseHexPair(digits[0], digits[1]), ParseHexPair(digits[2], digits[3]),
            ParseHexPair(digits[4], digits[5]), ParseHexPair(digits[6], digits[7]));
        digits += kActionDigits;
    }
}

// Reads the lines of one record after its name line. False when a line is missing or
// malformed.
class RecordReader {
public:
    explicit RecordReader(CStdioFileEx& file) : m_file(file) {}

    [[nodiscard]] bool ReadLocation(MacroItemLocation& location)
    {
        std::u16string_view line;
        return m_file.ReadLine(line) && ParseLocation(line, location);
    }
    [[nodiscard]] bool ReadValue(std::u16string_view& value)
    {
        std::u16string_view line;
        return m_file.ReadLine(line) && ValueAfterEquals(line, value);
    }
    [[nodiscard]] bool ReadSigned(std::int64_t& number)
    {
        std::u16string_view value;
        if (!ReadValue(value)) {
            return false;
        }
        number = TextNumbers::ParseDecimal(value);
        return true;
    }
    [[nodiscard]] bool ReadUnsigned(std::uint32_t& number)
    {
        std::u16string_view value;
        if (!ReadValue(value)) {
            return false;
        }
        number = ParseUnsigned32(value);
        return true;
    }

private:
    CStdioFileEx& m_file;
};

bool ReadMacro(RecordReader& reader, MacroKey& macro)
{
    std::uint32_t loopType = 0;
    std::uint32_t loopNum = 0;
    std::uint32_t commandActionNum = 0;
    std::u16string_view allActions;
    if (!reader.ReadUnsigned(macro.MacroKeyIndex) || !reader.ReadUnsigned(loopType) ||
        !reader.ReadUnsigned(loopNum) || !reader.ReadUnsigned(macro.MacroActionNum) ||
        !reader.ReadUnsigned(commandActionNum) || !reader.ReadValue(allActions) ||
        allActions.size() != kAllActionLength) {
        return false;
    }
    // The byte fields keep the low 8 bits of the value written. The counts are then
    // clamped to what a macro can hold (250 actions, 125 of them not delays), so no user
    // of the record reads or sends more than a macro has, whatever the file said.
    macro.MacroKeyLoopType = static_cast<std::uint8_t>(loopType);
    macro.MacroKeyLoopNum = static_cast<std::uint8_t>(loopNum);
    macro.MacroCommandActionNum = static_cast<std::uint8_t>(commandActionNum);
    if (macro.MacroActionNum > MacroKey::kMaxActions) {
        macro.MacroActionNum = MacroKey::kMaxActions;
    }
    if (macro.MacroCommandActionNum > MacroKey::kMaxCommandActions) {
        macro.MacroCommandActionNum = MacroKey::kMaxCommandActions;
    }
    ParseActions(allActions, macro);
    return true;
}

// One record, starting at its name line. False when it is malformed.
bool ReadRecord(CStdioFileEx& file, std::u16string_view nameLine, MacroLibrary& library)
{
    std::u16string_view name;
    if (!ValueAfterEquals(nameLine, name)) {
        return false;
    }
    // The name line's view is only valid until the next read.
    std::u16string ownName(name);
    RecordReader reader(file);
    MacroItemLocation location;
    std::int64_t isFolder = 0;
    std::int64_t isOpen = 0;
    if (!reader.ReadLocation(location) || !reader.ReadSigned(isFolder) ||
        !reader.ReadSigned(isOpen)) {
        return false;
    }
    // A record whose stage is not 0..2, or whose indexes lie outside 0..59, is read to
    // its end and then not stored, and loading goes on: one stray record does not cost
    // the rest of the library. Duplicate names within a block are stored as they are.
    if (isFolder != 0) {
        static_cast<void>(library.PlaceFolder(location, std::move(ownName), static_cast<std::uint32_t>(isOpen)));
        return true;
    }
    auto macro = std::make_unique<MacroKey>();
    if (!ReadMacro(reader, *macro)) {
        return false;
    }
    // The file keeps one name per item; the macro record carries the same.
    macro->name = ownName;
    static_cast<void>(library.PlaceMacro(location, std::move(ownName), std::move(macro)));
    return true;
}

// --- writing ---------------------------------------------------------------------

void AppendLine(std::u16string& out, std::u16string_view prefix, std::u16string_view text)
{
    out.append(prefix);
    out.append(text);
    out.push_back(u'\n');
}

// A name is the rest of its line, so a line break inside it would end the record there and
// turn the rest of the file into garbage for the reader. Such a name is written with a
// space for each CR and LF: the file stays whole and the item keeps a name.
void AppendName(std::u16string& out, std::u16string_view name)
{
    for (const char16_t unit : name) {
        out.push_back(unit == u'\n' || unit == u'\r' ? u' ' : unit);
    }
    out.push_back(u'\n');
}

void AppendLocationLine(std::u16string& out, std::u16string_view prefix,
                        std::u16string_view key, const MacroItemLocation& location)
{
    out.append(prefix);
    out.append(key);
    out.append(u"stage=");
    TextNumbers::AppendDecimal(out, location.stage);
    out.append(u";stage0Index=");
    TextNumbers::AppendDecimal(out, location.stage0Index);
    out.append(u";stage1Index=");
    TextNumbers::AppendDecimal(out, location.stage1Index);
    out.append(u";stage2Index=");
    TextNumbers::AppendDecimal(out, location.stage2Index);
    out.append(u";\n");
}

void AppendNumberLine(std::u16string& out, std::u16string_view prefix, std::u16string_view key,
                      std::int64_t value)
{
    out.append(prefix);
    out.append(key);
    TextNumbers::AppendDecimal(out, value);
    out.push_back(u'\n');
}

// The action's bytes b0..b3 as one 8-digit number, b0 first.
std::uint32_t FileOrder(MacroAction action)
{
    const std::uint32_t raw = action.raw;
    return (raw << 24) | ((raw & 0xFF00u) << 8) | ((raw >> 8) & 0xFF00u) | (raw >> 24);
}

void AppendRecord(std::u16string& out, const MacroItemLocation& location, const MacroItem& item)
{
    static constexpr std::u16string_view kTabs = u"\t\t";
    static const MacroKey kEmptyMacro{};
    const std::u16string_view prefix = kTabs.substr(0, static_cast<std::size_t>(location.stage));
    out.append(prefix);
    out.append(u"++++++++MacroItemName=");
    AppendName(out, item.name);
    AppendLocationLine(out, prefix, kItemLocationKey, location);
    AppendNumberLine(out, prefix, u"MacroItemIsFolder=", item.isFolder ? 1 : 0);
    AppendNumberLine(out, prefix, u"MacroItemFolderIsOpen=", static_cast<std::int32_t>(item.folderIsOpen));
    if (item.isFolder) {
        return;
    }
    // A macro item always gets its macro lines, so the file stays readable even for an
    // item whose record was never created.
    const MacroKey& macro = item.macro != nullptr ? *item.macro : kEmptyMacro;
    AppendNumberLine(out, prefix, u"MacroKeyIndex=", macro.MacroKeyIndex);
    AppendNumberLine(out, prefix, u"MacroKeyLoopType=", macro.MacroKeyLoopType);
    AppendNumberLine(out, prefix, u"MacroKeyLoopNum=", macro.MacroKeyLoopNum);
    AppendNumberLine(out, prefix, u"MacroActionNum=", macro.MacroActionNum);
    AppendNumberLine(out, prefix, u"MacroCommandActionNum=", macro.MacroCommandActionNum);
    out.append(prefix);
    out.append(u"AllAction=");
    for (const MacroAction action : macro.actions) {
        TextNumbers::AppendHex(out, FileOrder(action), static_cast<int>(kActionDigits));
    }
    out.push_back(u'\n');
}

void AppendHeader(std::u16string& out, const MacroLibrary& library, const MacroItemLocation& marker)
{
    AppendLine(out, {}, kHeader);
    AppendNumberLine(out, {}, u"MacroKeyIndex=", library.NextNumber());
    AppendLocationLine(out, {}, kMarkerKey, marker);
}

// An upper bound of the file's length in characters, for reserving the buffer once.
std::size_t EstimatedLength(const MacroLibrary& library)
{
    std::size_t length = 2 * kRecordOverhead;
    library.ForEachUsedItem([&length](const MacroItemLocation&, const MacroItem& item) {
        length += kRecordOverhead + item.name.size() + (item.isFolder ? 0 : kAllActionLength);
    });
    return length;
}

// Everything after opening: the header, the counter, the marker and the records.
MacroLibraryLoadResult ReadLibrary(CStdioFileEx& file, MacroLibrary& library)
{
    MacroLibraryLoadResult result;
    const auto fail = [&result, &file] {
        result.failingLine = file.LineNumber();
        return result;
    };

    std::u16string_view line;
    if (!file.ReadLine(line) || line != kHeader) {
        return fail();
    }
    std::u16string_view value;
    if (!file.ReadLine(line) || !ValueAfterEquals(line, value)) {
        return fail();
    }
    library.SetNextNumber(ToInt32(TextNumbers::ParseDecimal(value)));
    MacroItemLocation marker;
    if (!file.ReadLine(line) || !ParseLocation(line, marker)) {
        return fail();
    }
    result.marker = marker;
    while (file.ReadLine(line)) {
        if (!ReadRecord(file, line, library)) {
            return fail();
        }
    }
    result.ok = true;
    return result;
}

}  // namespace

MacroLibraryLoadResult MacroLibraryFile::Load(MacroLibrary& library,
                                              const std::filesystem::path& path)
{
    CStdioFileEx file;
    if (!file.OpenForRead(path)) {
        return {};
    }
    library.Clear();
    const MacroLibraryLoadResult result = ReadLibrary(file, library);
    // Whatever the file's counter says (or a failed read left), new macros get numbers
    // that none of the loaded macros has.
    library.TakeNextNumberAboveUsed();
    return result;
}

std::u16string MacroLibraryFile::Format(const MacroLibrary& library,
                                        const MacroItemLocation& marker)
{
    std::u16string out;
    out.reserve(EstimatedLength(library));
    AppendHeader(out, library, marker);
    library.ForEachUsedItem([&out](const MacroItemLocation& location, const MacroItem& item) {
        AppendRecord(out, location, item);
    });
    return out;
}

bool MacroLibraryFile::Save(const MacroLibrary& library, const std::filesystem::path& path,
                            const MacroItemLocation& marker, CStdioFileEx::OldFile oldFile)
{
    CStdioFileEx file;
    if (!file.OpenForWrite(path, oldFile)) {
        return false;
    }
    // The text is formatted and handed over in small pieces, so a large library is
    // never held in memory as a whole file.
    std::u16string piece;
    piece.reserve(kPieceLength + kRecordOverhead + kAllActionLength);
    AppendHeader(piece, library, marker);
    library.ForEachUsedItem([&piece, &file](const MacroItemLocation& location, const MacroItem& item) {
        AppendRecord(piece, location, item);
        if (piece.size() >= kPieceLength) {
            file.WriteString(piece);
            piece.clear();
        }
    });
    file.WriteString(piece);
    return file.Close();
}
