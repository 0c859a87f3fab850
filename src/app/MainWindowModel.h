#pragma once

#include "profiles/DataPaths.h"

#include <QString>

#include <functional>

class AppSettings;
class CDlgBase;
class DeviceDiscovery;
class DeviceLink;
class LanguageTexts;
class MacroLibrary;
class ProfileTable;

// What the main window works on: the model the UI thread owns, the device link and
// discovery. Everything outlives the window.
struct MainWindowModel {
    ProfileTable& profiles;
    AppSettings& settings;
    MacroLibrary& macros;
    const LanguageTexts& texts;
    DataPaths paths;
    DeviceLink& link;
    DeviceDiscovery& discovery;
};

// What the main window asks of the desktop. Each has a default that does it for real;
// tests replace the ones that would block or leave the process.
struct MainWindowServices {
    // A modal notice with two language texts (the attention dialog), or with a text of
    // the program's own.
    std::function<void(int titleText, int messageText)> showNotice;
    std::function<void(const QString& message)> showMessage;
    // The file a profile is imported from or exported to; empty when cancelled.
    std::function<QString(const QString& title)> pickImportFile;
    std::function<QString(const QString& title)> pickExportFile;
    // Opens the desktop's mouse settings; false when none was found.
    std::function<bool()> openMouseSettings;
    // Runs a launch-program button's program.
    std::function<void(const std::u16string& target)> launchProgram;
    // Puts the window away: into the tray where there is one, minimised where there is not.
    std::function<void()> putAway;
    // The macro selection for a button's function list; it answers the window with the
    // macro selection's result message. Unset: the list's macro entry does nothing.
    std::function<void(CDlgBase& window)> selectMacro;
    // The macro manager (2062); unset: the button does nothing.
    std::function<void(CDlgBase& window)> runMacroManager;
    // The battery level shown, for the tray's tip.
    std::function<void(int percent)> batteryShown;
    // The window shows the current profile afresh (a profile edited, imported or switched).
    std::function<void()> profileShown;
    // The program ends (the window has closed its dialogs already).
    std::function<void()> quit;
};
