#include "platform/shell/MouseSettingsOpener.h"

#include "platform/WindowsLean.h"

namespace {

// The control panel's mouse page.
constexpr char kMouseControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL main.cpl,,2";
// Show command 9 (SW_RESTORE): the panel comes up at its normal size and place.
constexpr UINT kShowCommand = SW_RESTORE;

}  // namespace

MouseSettingsOutcome MouseSettingsOpener::Open()
{
    // WinExec answers above 31 when the program was started.
    const bool started = WinExec(kMouseControlPanel, kShowCommand) > 31;
    return {started, kMouseControlPanel};
}
