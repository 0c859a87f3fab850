#include "platform/hid/SystemHidBackend.h"

#include "platform/hid/linux/LibudevSource.h"
#include "platform/hid/linux/LinuxHidBackend.h"

std::unique_ptr<HidBackend> CreateSystemHidBackend()
{
    return std::make_unique<LinuxHidBackend>(std::make_unique<LibudevSource>());
}
