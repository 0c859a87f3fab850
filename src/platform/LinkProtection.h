#pragma once

#include <filesystem>

// Whether a save may follow the symbolic link `link` to the file it names. Not when the
// link lies in a sticky folder that everyone may write to (like /tmp) and belongs
// neither to this user nor to the folder's owner: another user may have planted it to
// make us overwrite a file of ours (the rule the kernel applies as protected_symlinks).
// Always true where there is no such rule (Windows).
[[nodiscard]] bool MayFollowLink(const std::filesystem::path& link);
