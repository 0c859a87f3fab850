#pragma once

#include "TestDialog.h"
#include "support/TempFolder.h"

#include "app/CCorvaneApp.h"
#include "app/CCorvaneDlg.h"
#include "app/MainWindowModel.h"
#include "app/TrayIcon.h"
#include "device/CommandCode.h"
#include "device/DeviceLink.h"
#include "device/HidReports.h"
#include "profiles/AppSettings.h"
#include "profiles/Profile.h"
#include "profiles/ProfileTable.h"
#include "profiles/SettingsFile.h"
#include "sim/SimulatedMouse.h"
#include "ui/CControlBase.h"
#include "ui/OpenDialogList.h"
#include "ui/UiScale.h"
#include "ui/UiState.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>

// The whole program on the simulated mouse, in a data folder of its own, with the
// desktop's modal notices and file dialogs replaced by recorders.
class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        UiState::Instance().Reset();
        OpenDialogList::Clear();
    }
    void TearDown() override
    {
        if (app)
            app->Shutdown();
        app.reset();
        QApplication::processEvents();
        UiScale::Set(1.0);
        UiState::Instance().Reset();
        TrayIcon::AssumeDesktopHasTray(std::nullopt);
    }

    // Writes a settings file with NeedPassword = needPassword before the start.
    void WriteNeedPassword(int needPassword)
    {
        const DataPaths paths{data.Path(), {}};
        std::filesystem::create_directories(paths.ConfigFolder());
        AppSettings settings;
        settings.WriteSettingDefaults(paths);
        settings.SetValue(AppSetting::NeedPassword, std::u16string(1, static_cast<char16_t>(u'0' + needPassword)));
        ASSERT_TRUE(WriteSettingsFile(settings, paths.SettingsFile()));
    }

    void Start()
    {
        ProgramOptions options;
        options.simulate = true;
        options.dataDir = data.Path();
        options.scale = scale;
        app = std::make_unique<CCorvaneApp>(
            options, std::filesystem::path(QApplication::applicationDirPath().toStdString()));
        MainWindowServices services;
        services.showNotice = [this](int, int message) { notices.push_back(message); };
        services.showMessage = [this](const QString& message) { messages.push_back(message); };
        services.pickImportFile = [this](const QString&) { return fileToPick; };
        services.pickExportFile = [this](const QString&) { return fileToPick; };
        services.openMouseSettings = [this] {
            ++mouseSettingsOpened;
            return true;
        };
        services.putAway = [this] { ++putAways; };
        if (!realLaunches)
            services.launchProgram = [this](const std::u16string& target) { launched.push_back(target); };
        ASSERT_EQ(app->Start(&services), CCorvaneApp::StartResult::Running);
        window = app->Window();
        mouse = app->Mouse();
    }

    // Starts with the mouse confirmed and its first exchanges done.
    void StartConfirmed()
    {
        Start();
        ASSERT_TRUE(RunUntil([this] { return Link().Connection().deviceConfirmed; }));
        WaitForExchanges();
        mouse->ClearReceived();
    }

    [[nodiscard]] DeviceLink& Link() const { return window->Model().link; }
    [[nodiscard]] Profile& Current() const { return window->Model().profiles.Current(window->Model().settings); }

    static bool RunUntil(const std::function<bool()>& done, int milliseconds = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > milliseconds)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    // Lets the window's timers and posted results run for a while.
    static void RunFor(int milliseconds)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    // Waits for every exchange queued so far, the apply timer's included.
    void WaitForExchanges()
    {
        RunFor(60);
        bool done = false;
        Link().AfterPendingExchanges([&done](const ExchangeSummary&) { done = true; });
        ASSERT_TRUE(RunUntil([&done] { return done; }, 10000));
    }

    // The command frames of one code the mouse received, in order.
    [[nodiscard]] std::vector<std::vector<std::uint8_t>> Sent(CommandCode code) const
    {
        std::vector<std::vector<std::uint8_t>> frames;
        for (const SimReceivedReport& report : mouse->Received()) {
            if (report.operation == SimReportOperation::SetFeature && report.bytes.size() > CommandLayout::kPayload &&
                report.bytes[CommandLayout::kReportId] == ReportId::kCommand &&
                report.bytes[CommandLayout::kCode] == static_cast<std::uint8_t>(code))
                frames.push_back(report.bytes);
        }
        return frames;
    }

    [[nodiscard]] QPoint CentreOf(int id) const
    {
        const CControlBase* control = window->GetControl(id);
        EXPECT_NE(control, nullptr) << id;
        return control == nullptr ? QPoint() : control->GetRect().ToQRect().center();
    }
    void Click(int id) { MouseDriver(window).Click(CentreOf(id)); }

    TempFolder data;
    std::unique_ptr<CCorvaneApp> app;
    CCorvaneDlg* window = nullptr;
    SimulatedMouse* mouse = nullptr;
    std::vector<int> notices;
    std::vector<QString> messages;
    QString fileToPick;
    int mouseSettingsOpened = 0;
    int putAways = 0;
    std::vector<std::u16string> launched;
    bool realLaunches = false;  // the program's own launcher instead of the recorder above
    float scale = 0.0F;  // the screen's choice
};
