#include "platform/keycapture/windows/WindowsKeyboardHook.h"

#include "platform/keycapture/PhysicalKeyMap.h"

#include "platform/WindowsLean.h"

#include <algorithm>
#include <vector>

namespace {

// The started hooks. Windows calls one procedure without a context pointer, and every hook
// runs on the UI thread, so a plain list is enough.
std::vector<WindowsKeyboardHook*>& StartedHooks()
{
    static std::vector<WindowsKeyboardHook*> hooks;
    return hooks;
}

LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION) {
        const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        const bool released = message == WM_KEYUP || message == WM_SYSKEYUP;
        const std::uint8_t virtualKey = VirtualKeyFromWindowsKey(
            record->scanCode, (record->flags & LLKHF_EXTENDED) != 0, record->vkCode);
        const KeyEvent event =
            MakeKeyEvent(virtualKey, record->time, released ? KeyTransition::Release : KeyTransition::Press);
        // A copy: a delivery may stop its own hook.
        const std::vector<WindowsKeyboardHook*> hooks = StartedHooks();
        for (const WindowsKeyboardHook* hook : hooks)
            hook->Deliver(event);
    }
    // Observe only: every key still reaches the program it was meant for.
    return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

WindowsKeyboardHook::~WindowsKeyboardHook()
{
    Stop();
}

bool WindowsKeyboardHook::Start(Delivery delivery)
{
    Stop();
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboardProc, GetModuleHandleW(nullptr), 0);
    if (hook == nullptr)
        return false;
    m_hook = hook;
    m_delivery = std::move(delivery);
    StartedHooks().push_back(this);
    return true;
}

void WindowsKeyboardHook::Stop()
{
    if (m_hook == nullptr)
        return;
    UnhookWindowsHookEx(static_cast<HHOOK>(m_hook));
    m_hook = nullptr;
    m_delivery = nullptr;
    auto& hooks = StartedHooks();
    hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
}

void WindowsKeyboardHook::Deliver(const KeyEvent& event) const
{
    if (m_delivery)
        m_delivery(event);
}

