#include "keyfunc/FunctionValue.h"

#include "keyfunc/KeyTables.h"

NamedFunction KeyCombination(std::uint8_t modifiers, std::uint8_t virtualKey)
{
    NamedFunction function;
    function.value = {static_cast<std::uint8_t>(FunctionType::KeyCombination), modifiers, KeyUsage(virtualKey)};
    if ((modifiers & ModifierBits::kCtrl) != 0) {
        function.name += u"Ctrl+";
    }
    if ((modifiers & ModifierBits::kShift) != 0) {
        function.name += u"Shift+";
    }
    if ((modifiers & ModifierBits::kAlt) != 0) {
        function.name += u"Alt+";
    }
    if ((modifiers & ModifierBits::kWin) != 0) {
        function.name += u"Win+";
    }
    function.name += KeyName(virtualKey);
    function.name = WithoutFinalPlus(std::move(function.name));
    return function;
}

std::u16string WithoutFinalPlus(std::u16string text)
{
    if (!text.empty() && text.back() == u'+') {
        text.pop_back();
    }
    return text;
}
