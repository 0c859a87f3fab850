#include "app/bus/ProgramBus.h"

// Windows has no session bus: later starts reach the program through its local socket.
struct ProgramBus::Parts {};

ProgramBus::ProgramBus(std::function<CCorvaneDlg*()> /*window*/, std::function<void()> /*restore*/) {}

ProgramBus::~ProgramBus() = default;

QObject* ProgramBus::Exported() const
{
    return nullptr;
}

void ProgramBus::StateChanged() {}
