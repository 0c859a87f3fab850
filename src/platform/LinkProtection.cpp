#include "platform/LinkProtection.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

bool MayFollowLink(const std::filesystem::path& link)
{
#ifdef _WIN32
    (void)link;
    return true;
#else
    struct stat linkStatus {};
    if (::lstat(link.c_str(), &linkStatus) != 0 || !S_ISLNK(linkStatus.st_mode)) {
        return true;  // nothing to follow
    }
    std::filesystem::path folder = link.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    struct stat folderStatus {};
    if (::stat(folder.c_str(), &folderStatus) != 0) {
        return false;
    }
    const bool shared = (folderStatus.st_mode & S_ISVTX) != 0 && (folderStatus.st_mode & S_IWOTH) != 0;
    if (!shared) {
        return true;
    }
    return linkStatus.st_uid == ::geteuid() || linkStatus.st_uid == folderStatus.st_uid;
#endif
}
