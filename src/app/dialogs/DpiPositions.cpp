#include "app/dialogs/DpiPositions.h"

#include "device/DpiStepTable.h"

#include <climits>
#include <cstdint>

namespace {

constexpr int kDpiPerTableUnit = 50;

}  // namespace

int DpiPositions::DpiOf(const DpiStepTable& table, int position)
{
    return static_cast<int>(table.DpiDividedBy50(static_cast<std::size_t>(position < 0 ? 0 : position))) *
           kDpiPerTableUnit;
}

QString DpiPositions::DpiText(const DpiStepTable& table, int position)
{
    return QString::number(DpiOf(table, position));
}

int DpiPositions::ParseTypedNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

int DpiPositions::PositionOfTypedText(const DpiStepTable& table, const QString& text)
{
    const int count = static_cast<int>(table.PositionCount());
    if (count == 0)
        return 0;
    const int typed = ParseTypedNumber(text);
    for (int position = 0; position < count - 1; ++position) {
        if (DpiOf(table, position) >= typed)
            return position;
    }
    return count - 1;
}
