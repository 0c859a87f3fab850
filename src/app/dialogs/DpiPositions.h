#pragma once

#include <QString>

class DpiStepTable;

// Reading and showing DPI values in the DPI dialogs. Positions index the current
// DpiStepTable; a position stands for 50 x the table's value at it.
namespace DpiPositions {

// The DPI of a position, as the dialogs show it ("%d").
[[nodiscard]] int DpiOf(const DpiStepTable& table, int position);
[[nodiscard]] QString DpiText(const DpiStepTable& table, int position);

// The leading decimal integer of a typed text, as the classic "text to int" reads it:
// optional blanks and sign, then digits; anything else ends it, and no digits read 0.
// Values beyond the int range saturate instead of wrapping.
[[nodiscard]] int ParseTypedNumber(const QString& text);

// The first position whose DPI is at least the typed value, the highest position when
// none is (so a value between two steps rounds up). An empty table gives 0.
[[nodiscard]] int PositionOfTypedText(const DpiStepTable& table, const QString& text);

}  // namespace DpiPositions
