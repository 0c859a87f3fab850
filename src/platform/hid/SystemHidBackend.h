#pragma once

#include "device/HidBackend.h"

#include <memory>

// The HID backend of the operating system the program was built for: hidraw and libudev
// on Linux, SetupAPI and the HID library on Windows. Create it on the UI thread.
[[nodiscard]] std::unique_ptr<HidBackend> CreateSystemHidBackend();
