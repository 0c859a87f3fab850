// Feeds arbitrary bytes to the profile file reader. A file the reader accepts must come
// back as the same record after being written and read again.
#include "FuzzInput.h"

#include "profiles/Profile.h"
#include "profiles/ProfileFile.h"

#include "profiles/SaveFailures.h"

#include <cstdlib>
#include <string>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input(data, size);
    auto profile = std::make_unique<Profile>();
    if (!ParseProfileFile(*profile, input.Path()).ok) {
        return 0;
    }
    // The reader takes control characters inside a text, the writer refuses them (they are
    // line ends to other readers); any other failure to write what was read is a fault.
    std::string refusal;
    SaveFailures::ScopedObserver observer;
    observer.Set([&refusal](const SaveFailure& failure) { refusal = failure.reason; });
    const auto written = input.Folder() / "written.psf";
    if (!WriteProfileFile(*profile, written)) {
        if (refusal.find("control character") == std::string::npos) {
            std::abort();
        }
        return 0;
    }
    auto again = std::make_unique<Profile>();
    if (!ParseProfileFile(*again, written).ok || !(*again == *profile)) {
        std::abort();
    }
    return 0;
}
