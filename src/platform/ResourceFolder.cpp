#include "platform/ResourceFolder.h"

#include <system_error>

#ifndef CORVANE_INSTALLED_RESOURCES
#define CORVANE_INSTALLED_RESOURCES "../share/corvane"
#endif

namespace {

bool IsFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

std::filesystem::path ResourceFolder(const std::filesystem::path& programFolder)
{
    return ResourceFolder(programFolder, CORVANE_INSTALLED_RESOURCES);
}

std::filesystem::path ResourceFolder(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& installedRelative)
{
    // Either folder is enough: a build without Qt has lang/ but no skins/.
    if (IsFolder(programFolder / "skins") || IsFolder(programFolder / "lang"))
        return programFolder;
    const std::filesystem::path installed = (programFolder / installedRelative).lexically_normal();
    if (IsFolder(installed))
        return installed;
    return programFolder;
}
