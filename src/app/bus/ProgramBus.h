#pragma once

#include <functional>
#include <memory>

class CCorvaneDlg;
class QObject;

// The program's object on the session bus where the system has one (Linux: the
// CorvaneBusObject over the window, ProgramBusDBus.cpp); elsewhere there is none
// (ProgramBusNone.cpp) and the single instance needs no object.
class ProgramBus {
public:
    // `window` gives the main window, null while there is none; `restore` is the
    // program's restore request.
    ProgramBus(std::function<CCorvaneDlg*()> window, std::function<void()> restore);
    ~ProgramBus();
    ProgramBus(const ProgramBus&) = delete;
    ProgramBus& operator=(const ProgramBus&) = delete;

    // The object to export before the program's name is taken; null without a bus.
    [[nodiscard]] QObject* Exported() const;
    // Something the object's properties show may have changed.
    void StateChanged();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
