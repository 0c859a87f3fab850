#include "platform/keycapture/KeySource.h"

// Builds without a system-wide keyboard source capture the program's own windows only.
std::unique_ptr<KeySource> CreateSystemKeySource()
{
    return nullptr;
}
