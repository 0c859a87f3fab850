#include "app/bus/ProgramBus.h"

#include "app/bus/CorvaneBusObject.h"
#include "app/bus/WindowBusControl.h"

struct ProgramBus::Parts {
    Parts(std::function<CCorvaneDlg*()> window, std::function<void()> restore)
        : control(std::move(window), std::move(restore)), object(control)
    {
    }
    WindowBusControl control;
    CorvaneBusObject object;
};

ProgramBus::ProgramBus(std::function<CCorvaneDlg*()> window, std::function<void()> restore)
    : m_parts(std::make_unique<Parts>(std::move(window), std::move(restore)))
{
}

ProgramBus::~ProgramBus() = default;

QObject* ProgramBus::Exported() const
{
    return &m_parts->object;
}

void ProgramBus::StateChanged()
{
    m_parts->object.ScheduleRefresh();
}
