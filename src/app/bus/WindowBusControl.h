#pragma once

#include "app/bus/ProgramControl.h"

#include <functional>

class CCorvaneDlg;

// The bus interface's actions as clicks on the main window: each sends the window the
// message its control sends when clicked (after what the control itself does on the
// click), so the window's own handler changes the profile, redraws, schedules the apply
// to the mouse and the save. The state is read from the window's model.
class WindowBusControl final : public ProgramControl {
public:
    // `window` gives the main window, null while there is none; `restore` is the
    // program's restore request.
    WindowBusControl(std::function<CCorvaneDlg*()> window, std::function<void()> restore);

    [[nodiscard]] std::optional<ProgramState> State() const override;
    void Activate() override;
    void SwitchProfile(std::uint32_t profile) override;
    void SetDpiLevel(std::uint32_t level) override;
    void SetPollingRate(std::uint32_t hertz) override;

private:
    std::function<CCorvaneDlg*()> m_window;
    std::function<void()> m_restore;
};
