#include "platform/FontWarmUp.h"

#if defined(CORVANE_WITH_FONTCONFIG)
#include <fontconfig/fontconfig.h>

#include <future>
#endif

#if defined(CORVANE_WITH_FONTCONFIG)
namespace {

std::future<void>& Loading()
{
    static std::future<void> loading;
    return loading;
}

}  // namespace
#endif

void FontWarmUp::Start()
{
#if defined(CORVANE_WITH_FONTCONFIG)
    // fontconfig keeps one current configuration and installs it atomically, so a lookup
    // on the UI thread meanwhile either waits for none or loads its own; both are safe.
    if (!Loading().valid())
        Loading() = std::async(std::launch::async, [] { (void)FcInit(); });
#endif
}

void FontWarmUp::Finish()
{
#if defined(CORVANE_WITH_FONTCONFIG)
    if (Loading().valid())
        Loading().wait();
#endif
}
