#include "platform/keycapture/CKeyboardHook.h"

#include "platform/keycapture/InProgramKeySource.h"

#include <QGuiApplication>

CKeyboardHook::CKeyboardHook() = default;

CKeyboardHook::~CKeyboardHook()
{
    StopHook();
}

bool CKeyboardHook::StartHook(QObject* window, KeySource::Delivery delivery)
{
    StopHook();
    m_window = window;
    m_delivery = std::move(delivery);
    const auto deliver = [this](const KeyEvent& event) { Deliver(event); };

    // The session-wide source sees this program's keys as well, so it runs alone: both
    // together would deliver every key twice.
    if (auto system = CreateSystemKeySource(); system && system->Start(deliver)) {
        m_source = std::move(system);
        m_systemWide = true;
        return true;
    }
    auto inProgram = std::make_unique<InProgramKeySource>(NativeScanCodesOf(QGuiApplication::platformName()));
    if (!inProgram->Start(deliver))
        return false;
    m_source = std::move(inProgram);
    return true;
}

bool CKeyboardHook::StopHook()
{
    if (m_source)
        m_source->Stop();
    m_source.reset();
    m_systemWide = false;
    m_delivery = nullptr;
    m_window = nullptr;
    return true;
}

void CKeyboardHook::Deliver(const KeyEvent& event) const
{
    if (m_window && m_delivery && IsDeliverableKey(event.virtualKey))
        m_delivery(event);
}
