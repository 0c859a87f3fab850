#pragma once

// The Windows headers for the sources of this folder, and only for them: <windows.h>
// renames SendMessage and PostMessage and defines min and max, which would break the Qt
// toolkit and the model if it leaked into a shared header.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <dbt.h>
#include <setupapi.h>

// The HID library's headers declare C functions without saying so. hidsdi.h brings
// hidpi.h after the types it needs.
extern "C" {
#include <hidsdi.h>
}
