#include "platform/FontWarmUp.h"

#if defined(CORVANE_WITH_FONTCONFIG)
#include <fontconfig/fontconfig.h>

#include <future>
#endif

void FontWarmUp::Start()
{
#if defined(CORVANE_WITH_FONTCONFIG)
    // fontconfig keeps one current configuration and installs it atomically, so a lookup
    // on the UI thread meanwhile either waits for none or loads its own; both are safe. The
    // future outlives main, so the program never ends with the worker still running.
    static std::future<void> loading = std::async(std::launch::async, [] { (void)FcInit(); });
#endif
}
