#include "platform/hid/windows/WindowsMessageLoop.h"

#include "platform/hid/windows/WindowsApi.h"

void RunThreadMessageLoop()
{
    MSG message{};
    // GetMessageW gives 0 for WM_QUIT and -1 on failure; both end the loop.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
