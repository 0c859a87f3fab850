#pragma once

#include "profiles/DataPaths.h"

class AppSettings;
class LanguageTexts;
class MacroLibrary;
class ProfileTable;

// The model the device link reads and writes: owned by the UI thread and alive for as
// long as the link.
struct DeviceModel {
    ProfileTable& profiles;
    AppSettings& settings;
    MacroLibrary& macros;
    const LanguageTexts& texts;
    DataPaths paths;
};
