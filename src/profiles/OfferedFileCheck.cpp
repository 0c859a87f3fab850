#include "profiles/OfferedFileCheck.h"

#include <system_error>

OfferedFile CheckOfferedFile(const std::filesystem::path& path, std::uintmax_t sizeLimit)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    switch (status.type()) {
    case std::filesystem::file_type::regular:
        break;
    case std::filesystem::file_type::not_found:
        return {OfferedFileProblem::Missing, 0};
    case std::filesystem::file_type::none:
        return {OfferedFileProblem::Unreadable, 0};
    case std::filesystem::file_type::directory:
        return {OfferedFileProblem::Folder, 0};
    default:
        return {OfferedFileProblem::NotRegularFile, 0};
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return {OfferedFileProblem::Unreadable, 0};
    }
    return {size > sizeLimit ? OfferedFileProblem::TooLarge : OfferedFileProblem::None, size};
}
