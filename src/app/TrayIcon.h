#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class LanguageTexts;
class QMenu;
class QSystemTrayIcon;

// The program's icon in the desktop's tray (StatusNotifierItem or XEmbed on Linux, the
// notification area on Windows): a menu with "show" and "exit", a double click that
// restores the window, and the tip "Gaming Mouse" with the battery level once the mouse
// reports one.
class TrayIcon : public QObject {
public:
    static constexpr int kTextShow = 1;
    static constexpr int kTextExit = 2;

    TrayIcon(const LanguageTexts& texts, std::function<void()> restore, std::function<void()> exit);
    ~TrayIcon() override;

    // Whether the desktop has a tray at all; without one the window is minimised
    // instead of hidden, so that it can always be found again.
    [[nodiscard]] static bool DesktopHasTray();
    void Show();
    void Hide();
    void SetBatteryLevel(std::optional<int> percent);
    [[nodiscard]] QString ToolTip() const;
    [[nodiscard]] QMenu* Menu() const { return m_menu.get(); }

private:
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon = nullptr;
    std::function<void()> m_restore;
    std::function<void()> m_exit;
};
