#pragma once

// The Windows headers for the sources of this folder, and only for them.
#include "platform/WindowsLean.h"

#include <dbt.h>
#include <setupapi.h>

// The HID library's headers declare C functions without saying so. hidsdi.h brings
// hidpi.h after the types it needs.
extern "C" {
#include <hidsdi.h>
}
