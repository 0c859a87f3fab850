#pragma once

#include "FirmwareUpdater.h"
#include "ui/dialogs/CFramedDlg.h"

#include "device/FirmwareImage.h"
#include "device/FirmwareUpdateEvents.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

class CStaticProgressBar;
class CStaticText;

// The firmware window: shows the carried program image's check value, and 100 ms after
// opening starts the update on the device side, which compares the installed check value
// with the image's and rewrites the mouse when they differ. It shows what the update
// reports: the installed check value, the status, the percentage and the progress bar.
// The window holds the running update. A close asked for while it runs (cross, close
// button, Enter, Escape, the close message) is kept until the update has ended: stopping
// between frames could leave the mouse's base area unlocked and erased, or a program half
// installed, so the window closes once the mouse is whole again. Before the update has
// started, and after it has ended, the window closes at once. A program image that is
// missing or too large is reported with "App File is Error!" and nothing is sent.
class CCheckFWDlg : public CFramedDlg, private FirmwareUpdateEvents {
public:
    static constexpr int kDesignWidth = 429;
    static constexpr int kDesignHeight = 140;
    static constexpr int kIdStatus = 2012;
    static constexpr int kIdImageCheckValue = 2013;
    static constexpr int kIdDeviceCheckValue = 2014;
    static constexpr int kIdPercentage = 2015;
    static constexpr unsigned kStartTimer = 1;
    static constexpr int kStartDelayMs = 100;
    static constexpr int kTextOk = 4;
    static constexpr int kTextClose = 5;
    static constexpr int kTextConnectCable = 291;

    // How the window reports an unusable program image (a message box by default).
    using ImageErrorReport = std::function<void(const QString& text)>;

    CCheckFWDlg(QWidget* owner, const LanguageTexts& texts, FirmwareUpdater& updater,
                std::span<const std::uint8_t> appImage, std::span<const std::uint8_t> baseImage,
                ImageErrorReport reportImageError = {});
    ~CCheckFWDlg() override;

    [[nodiscard]] QString StatusText() const;
    [[nodiscard]] QString ImageCheckValueText() const;
    [[nodiscard]] QString DeviceCheckValueText() const;
    [[nodiscard]] QString PercentageText() const;
    [[nodiscard]] int ProgressPosition() const;
    // The outcomes reported so far (the update, then the final check after a restart).
    [[nodiscard]] const std::vector<FirmwareUpdateOutcome>& Outcomes() const { return m_outcomes; }
    [[nodiscard]] bool IsUpdateHeld() const { return m_run != nullptr; }
    // An update was started and has not reported its last outcome yet.
    [[nodiscard]] bool IsUpdateRunning() const { return m_run != nullptr && !m_runEnded; }
    // A close was asked for while the update ran; the window closes when it ends.
    [[nodiscard]] bool IsClosePending() const { return m_closePending.has_value(); }

protected:
    bool OnInitDialog() override;
    void CreateControls(int left, int top, int right, int bottom) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    LResult OnCloseButton(WParam wParam, LParam lParam);
    LResult OnOkButton(WParam wParam, LParam lParam);
    LResult OnTimer(WParam wParam, LParam lParam);
    void StartUpdate();
    void StopUpdate();
    // True when the close was put off because the update is still running.
    bool PutOffClose(int result);
    void SetLabel(CStaticText* label, const QString& text);

    // FirmwareUpdateEvents, on the UI thread.
    void ShowText(const FirmwareText& text) override;
    void SetProgress(int value, int total) override;
    void UpdateActive() override;
    void Finished(FirmwareUpdateOutcome outcome) override;

    FirmwareUpdater& m_updater;
    std::optional<FirmwareImage> m_appImage;
    FirmwareImage m_baseImage;
    ImageErrorReport m_reportImageError;
    std::unique_ptr<FirmwareUpdateRun> m_run;
    std::vector<FirmwareUpdateOutcome> m_outcomes;
    bool m_runEnded = false;
    std::optional<int> m_closePending;  // the result the put-off close ends the window with
    CStaticText* m_status = nullptr;
    CStaticText* m_imageCheckValue = nullptr;
    CStaticText* m_deviceCheckValue = nullptr;
    CStaticText* m_percentage = nullptr;
    CStaticProgressBar* m_progress = nullptr;
};
