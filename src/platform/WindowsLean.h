#pragma once

// <windows.h> for the Windows sources of the platform layer, and only for them: it renames
// SendMessage and PostMessage and defines min and max, which would break the Qt toolkit and
// the model if it leaked into a shared header.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
