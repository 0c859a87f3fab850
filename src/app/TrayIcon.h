#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class LanguageTexts;
class QMenu;
class QSystemTrayIcon;

// The program's icon in the desktop's tray (StatusNotifierItem or XEmbed on Linux, the
// notification area on Windows): a menu with "show" and "exit", an activation that
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
    // Replaces the desktop's answer (tests on a platform without a tray); nothing gives
    // the desktop's answer back.
    static void AssumeDesktopHasTray(std::optional<bool> hasTray);
    void Show();
    void Hide();
    // Rewrites the tip only when its text changes.
    void SetBatteryLevel(std::optional<int> percent);
    [[nodiscard]] QString ToolTip() const;
    // The tray's own message balloon, where the desktop has no notification service.
    void ShowMessage(const QString& title, const QString& message);
    [[nodiscard]] QMenu* Menu() const { return m_menu.get(); }
    [[nodiscard]] QSystemTrayIcon* Icon() const { return m_icon; }

private:
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon = nullptr;
    std::function<void()> m_restore;
    std::function<void()> m_exit;
};
