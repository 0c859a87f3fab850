#include "device/PairingSession.h"

PairingSession::PressResult PairingSession::Press()
{
    if (m_state != PairState::Idle && m_state != PairState::Failed)
        return {};
    const bool firstRequest = m_state == PairState::Idle;
    m_ticks = 0;
    m_state = PairState::Pairing;
    m_statusText = kTextPairing;
    return {firstRequest, true};
}

bool PairingSession::Tick(bool receiverMouseOnline)
{
    if (m_state != PairState::Pairing)
        return false;
    if (receiverMouseOnline) {
        m_statusText = kTextPaired;
        m_state = PairState::Paired;
        return false;
    }
    if (++m_ticks > kMaxTicks) {
        m_statusText = kTextFailed;
        m_state = PairState::Failed;
        return false;
    }
    m_statusText = kTextPairing + m_ticks % 3;
    return true;
}
