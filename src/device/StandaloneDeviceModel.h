#pragma once

#include "device/DeviceModel.h"
#include "macros/MacroLibrary.h"
#include "profiles/AppSettings.h"
#include "profiles/LanguageTexts.h"
#include "profiles/ProfileTable.h"

// A model of its own for a device link that works without the program's data folder:
// windows shown on their own (the gallery) and tests that only drive the mouse. It must
// outlive the link made on it.
struct StandaloneDeviceModel {
    ProfileTable profiles;
    AppSettings settings;
    MacroLibrary macros;
    LanguageTexts texts;

    [[nodiscard]] DeviceModel Model() { return DeviceModel{profiles, settings, macros, texts, DataPaths{}}; }
};
