// Feeds arbitrary bytes to the profile file reader. A file the reader accepts must come
// back as the same record after being written and read again.
#include "FuzzInput.h"

#include "profiles/Profile.h"
#include "profiles/ProfileFile.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input(data, size);
    auto profile = std::make_unique<Profile>();
    if (!ParseProfileFile(*profile, input.Path()).ok) {
        return 0;
    }
    const auto written = input.Folder() / "written.psf";
    if (!WriteProfileFile(*profile, written)) {
        std::abort();
    }
    auto again = std::make_unique<Profile>();
    if (!ParseProfileFile(*again, written).ok || !(*again == *profile)) {
        std::abort();
    }
    return 0;
}
