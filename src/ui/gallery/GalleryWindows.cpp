#include "GalleryWindows.h"

#include "CGalleryOwner.h"

// Windows append their entries here, one per window, with the header that declares it.

const std::vector<GalleryWindow>& GalleryWindows()
{
    static const std::vector<GalleryWindow> windows{
    };
    return windows;
}
