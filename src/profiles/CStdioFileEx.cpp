#include "profiles/CStdioFileEx.h"

#include "platform/FileDurability.h"
#include "platform/LinkProtection.h"
#include "platform/ProcessLiveness.h"
#include "profiles/SaveFailures.h"

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <bit>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace {

constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kByteOrderMark = 0xFEFF;

[[maybe_unused]] char16_t FromLittleEndian(unsigned char low, unsigned char high)
{
    return static_cast<char16_t>(low | (high << 8));
}

constexpr std::string_view kTemporaryMark = ".saving~";
// Links followed before a chain counts as a loop (the kernel's own limit).
constexpr int kMaxLinkDepth = 40;

// Each save gets a temporary name of its own, "<name>.saving~<process id>-<count>", so two
// saves of one file that overlap (another window, another process) never write into each
// other's temporary file: the last rename wins and the file is always one whole save. The
// process id tells a later start whether the file may still be being written.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target)
{
    static std::atomic<unsigned> saveCount{0};
    std::filesystem::path temporary = target;
    temporary += std::string(kTemporaryMark) + std::to_string(CurrentProcessId()) + "-" +
                 std::to_string(++saveCount);
    return temporary;
}

// The process id in a temporary file name of ours; false for any other name.
bool TemporaryNameProcess(const std::string& name, std::int64_t& processId)
{
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0) {
        return false;
    }
    const std::string_view rest = std::string_view(name).substr(mark + kTemporaryMark.size());
    const std::size_t dash = rest.find('-');
    const auto allDigits = [](std::string_view digits) {
        return !digits.empty() && digits.size() <= 18 &&
               std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string_view::npos || !allDigits(rest.substr(0, dash)) || !allDigits(rest.substr(dash + 1))) {
        return false;
    }
    processId = std::stoll(std::string(rest.substr(0, dash)));
    return true;
}

// A file name as bytes for matching ASCII patterns, whatever the platform's encoding.
std::string NameBytes(const std::filesystem::path& path)
{
    const std::u8string name = path.filename().u8string();
    return {name.begin(), name.end()};
}

// Where a save of `path` lands. A symbolic link stays and the file it names is saved,
// through chains of links and whether or not that file exists yet; a relative link is
// taken from the link's folder. A link that may not be followed (another user's, in a
// shared sticky folder) ends the save with `reason`.
std::filesystem::path SaveTarget(const std::filesystem::path& path, std::string& reason)
{
    std::filesystem::path current = path;
    for (int depth = 0; depth <= kMaxLinkDepth; ++depth) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) {
            return current;
        }
        if (!MayFollowLink(current)) {
            reason = "it is a symbolic link of another user in a shared folder, which is not followed";
            return {};
        }
        const std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error) {
            reason = error.message();
            return {};
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    reason = std::make_error_code(std::errc::too_many_symbolic_link_levels).message();
    return {};
}

// The error of the last failed system call, or a generic input/output error when the
// standard library left none.
std::error_code LastSystemError()
{
    const int number = errno;
    return number != 0 ? std::error_code(number, std::generic_category()) : std::make_error_code(std::errc::io_error);
}

// Whether two files hold the same bytes; false when either cannot be read.
bool SameBytes(const std::filesystem::path& first, const std::filesystem::path& second)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(first, error);
    if (error || std::filesystem::file_size(second, error) != size || error) {
        return false;
    }
    std::ifstream a(first, std::ios::binary);
    std::ifstream b(second, std::ios::binary);
    constexpr std::size_t kPiece = 64 * 1024;
    std::string pieceA(kPiece, '\0');
    std::string pieceB(kPiece, '\0');
    while (a && b) {
        a.read(pieceA.data(), static_cast<std::streamsize>(kPiece));
        b.read(pieceB.data(), static_cast<std::streamsize>(kPiece));
        if (a.gcount() != b.gcount() ||
            pieceA.compare(0, static_cast<std::size_t>(a.gcount()), pieceB, 0, static_cast<std::size_t>(b.gcount())) != 0) {
            return false;
        }
    }
    return a.eof() && b.eof();
}

}  // namespace

CStdioFileEx::~CStdioFileEx()
{
    if (m_state == State::Writing) {
        DiscardWrite();
    }
}

bool CStdioFileEx::OpenForRead(const std::filesystem::path& path)
{
    Close();
    m_failureReason.clear();
    std::error_code error;
    // Only regular files are read: a folder or a device at a file's place counts as a
    // file that cannot be opened (reading a folder through a stream would throw).
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::is_regular_file(status)) {
        if (error) {
            m_failureReason = error.message();
        } else if (std::filesystem::is_directory(status)) {
            m_failureReason = std::make_error_code(std::errc::is_a_directory).message();
        } else {
            m_failureReason = "not a regular file";
        }
        return false;
    }
    errno = 0;
    if (std::endian::native == std::endian::little) {
        // A regular file is read in large pieces straight into the text buffer. A file
        // that fits in the first piece (every settings and profile file) is held whole;
        // a larger one (a macro library of tens of megabytes) streams through a buffer of
        // about one piece, so it loads at disk speed without a file-sized allocation.
        m_in.open(path, std::ios::binary);
        if (!m_in) {
            m_in.clear();
            m_failureReason = LastSystemError().message();
            return false;
        }
        char mark[2];
        m_in.read(mark, sizeof mark);  // taken as the byte-order mark unexamined
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        m_bytesLeft = !error && size > 2 ? size - 2 : 0;
        m_text.clear();
        m_position = 0;
        m_endOfFile = m_in.eof();
        if (!m_endOfFile) {
            ReadMore();
        }
        if (m_in.bad()) {
            m_failureReason = LastSystemError().message();
            m_in.close();
            m_in.clear();
            m_text.clear();
            return false;
        }
        m_state = State::Reading;
        m_lineNumber = 0;
        return true;
    }

    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_failureReason = LastSystemError().message();
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        m_failureReason = LastSystemError().message();
        return false;
    }
    // The first two bytes are taken as the byte-order mark without looking at them; an
    // odd trailing byte cannot form a character and is dropped.
    const std::size_t units = bytes.size() >= 2 ? (bytes.size() - 2) / 2 : 0;
    m_text.resize(units);
    if constexpr (std::endian::native == std::endian::little) {
        if (units > 0) {
            std::memcpy(m_text.data(), bytes.data() + 2, units * 2);
        }
    } else {
        for (std::size_t i = 0; i < units; ++i) {
            m_text[i] = FromLittleEndian(static_cast<unsigned char>(bytes[2 + 2 * i]),
                                         static_cast<unsigned char>(bytes[3 + 2 * i]));
        }
    }
    m_endOfFile = true;
    m_state = State::Reading;
    m_position = 0;
    m_lineNumber = 0;
    return true;
}

void CStdioFileEx::ReadMore()
{
    // Drop the text already returned; the unfinished line moves to the front.
    m_text.erase(0, m_position);
    m_position = 0;
    const std::size_t kept = m_text.size();
    // A line longer than a piece doubles the room, so long lines cost linear time. A
    // small file gets a buffer of about its own size (at least one character more, so
    // that its end is seen in the same read). The size is only a hint: the end of the
    // file is where a read comes back short, and a file that grows meanwhile is still
    // read in reasonable pieces.
    constexpr std::size_t kSmallestRead = 1024;
    std::size_t wanted = kept > kReadPiece ? kept : kReadPiece;
    if (m_bytesLeft / 2 < wanted) {
        wanted = std::max(static_cast<std::size_t>(m_bytesLeft / 2) + 1, kSmallestRead);
    }
    m_text.resize(kept + wanted);
    m_in.read(reinterpret_cast<char*>(m_text.data() + kept),
              static_cast<std::streamsize>(wanted * 2));
    // Only the end of the file gives fewer bytes than asked for; an odd last byte
    // cannot form a character and is dropped. A read error also ends the text there.
    const auto bytesRead = static_cast<std::size_t>(m_in.gcount());
    m_bytesLeft = m_bytesLeft > bytesRead ? m_bytesLeft - bytesRead : 0;
    m_text.resize(kept + bytesRead / 2);
    if (bytesRead < wanted * 2 || !m_in) {
        m_endOfFile = true;
    }
}

bool CStdioFileEx::ReadLine(std::u16string_view& line)
{
    if (m_state != State::Reading) {
        return false;
    }
    ++m_lineNumber;
    std::size_t searchFrom = m_position;
    std::size_t end = m_text.find(kLineFeed, searchFrom);
    while (end == std::u16string::npos && !m_endOfFile) {
        searchFrom = m_text.size() - m_position;
        ReadMore();
        end = m_text.find(kLineFeed, searchFrom);
    }
    if (m_position >= m_text.size()) {
        line = {};
        return false;
    }
    std::size_t next = end;
    if (end == std::u16string::npos) {
        end = m_text.size();
        next = end;
    } else {
        next = end + 1;
    }
    line = std::u16string_view(m_text).substr(m_position, end - m_position);
    m_position = next;
    return !line.empty();
}

bool CStdioFileEx::ReadLine(std::u16string& line)
{
    std::u16string_view view;
    const bool ok = ReadLine(view);
    line.assign(view);
    return ok;
}

bool CStdioFileEx::OpenForWrite(const std::filesystem::path& path, OldFile oldFile)
{
    Close();
    m_oldFile = oldFile;
    m_failureReason.clear();
    std::string reason;
    m_target = SaveTarget(path, reason);
    if (m_target.empty()) {
        m_target = path;
        Fail(std::move(reason));
        return false;
    }
    // A file that cannot be read and written stays as it is: replacing it by rename would
    // get round its protection.
    std::error_code error;
    if (std::filesystem::exists(m_target, error)) {
        if (!std::filesystem::is_regular_file(m_target, error)) {
            Fail(std::make_error_code(std::errc::is_a_directory));
            return false;
        }
        errno = 0;
        if (!IsReadWritable(m_target)) {
            Fail(LastSystemError());
            return false;
        }
    }
    m_temporary = TemporaryPathFor(m_target);
    // Create the temporary file now, so that a folder that cannot take a file is known
    // before any text is collected. It stays open: large texts go to it in pieces.
    errno = 0;
    m_out.open(m_temporary, std::ios::binary | std::ios::trunc);
    if (!m_out) {
        m_out.clear();
        Fail(LastSystemError());
        return false;
    }
    // The new file keeps the old one's permissions (a private file stays private), from
    // before its first byte is written.
    const auto status = std::filesystem::status(m_target, error);
    if (!error && std::filesystem::exists(status)) {
        std::filesystem::permissions(m_temporary, status.permissions(), error);
    }
    m_text.clear();
    m_text.push_back(kByteOrderMark);
    m_state = State::Writing;
    return true;
}

void CStdioFileEx::WriteString(std::u16string_view text)
{
    if (m_state == State::Writing) {
        m_text.append(text);
        if (m_text.size() >= kPendingLimit) {
            WritePending();
        }
    }
}

void CStdioFileEx::WriteLine(std::u16string_view text)
{
    if (m_state == State::Writing) {
        m_text.append(text);
        m_text.push_back(kLineFeed);
        if (m_text.size() >= kPendingLimit) {
            WritePending();
        }
    }
}

void CStdioFileEx::WritePending()
{
    if constexpr (std::endian::native == std::endian::little) {
        m_out.write(reinterpret_cast<const char*>(m_text.data()),
                    static_cast<std::streamsize>(m_text.size() * 2));
    } else {
        for (const char16_t unit : m_text) {
            m_out.put(static_cast<char>(unit & 0xFF));
            m_out.put(static_cast<char>(unit >> 8));
        }
    }
    m_text.clear();
}

bool CStdioFileEx::Close()
{
    const State state = m_state;
    m_state = State::Closed;
    if (state != State::Writing) {
        m_in.close();
        m_in.clear();
        m_text.clear();
        m_text.shrink_to_fit();
        return state == State::Reading;
    }

    errno = 0;
    WritePending();
    m_out.flush();
    bool written = m_out.good();
    std::error_code error = written ? std::error_code() : LastSystemError();
    errno = 0;
    m_out.close();
    if (written && m_out.fail()) {
        written = false;
        error = LastSystemError();
    }
    m_out.clear();
    m_text.clear();
    m_text.shrink_to_fit();
    // The bytes are on the disk before the name points at them: a power cut after the
    // rename must not leave an empty file under the real name.
    if (written) {
        written = SyncToDisk(m_temporary, error);
    }
    if (written) {
        std::error_code statusError;
        if (m_oldFile == OldFile::KeepAsBackup && std::filesystem::exists(m_target, statusError)) {
            written = KeepBackupOfTarget();
            if (!written) {
                error = LastSystemError();
            }
        }
    }
    if (written) {
        std::filesystem::rename(m_temporary, m_target, error);
        written = !error;
    }
    if (written) {
        // The rename itself is on the disk once the folder is; a failure here leaves the
        // new file in place and is not worth losing the save over.
        std::error_code folderError;
        (void)SyncToDisk(m_target.has_parent_path() ? m_target.parent_path() : std::filesystem::path("."),
                         folderError);
    } else {
        std::error_code removeError;
        std::filesystem::remove(m_temporary, removeError);
        Fail(error);
    }
    return written;
}

void CStdioFileEx::DiscardWrite()
{
    m_state = State::Closed;
    m_out.close();
    m_out.clear();
    m_text.clear();
    std::error_code error;
    std::filesystem::remove(m_temporary, error);
}

void CStdioFileEx::Fail(const std::error_code& error)
{
    Fail(error.message());
}

void CStdioFileEx::Fail(std::string reason)
{
    m_failureReason = std::move(reason);
    SaveFailures::Report({m_target, m_failureReason});
}

bool CStdioFileEx::KeepBackupOfTarget() const
{
    if (SameBytes(m_target, m_temporary)) {
        return true;
    }
    std::error_code error;
    const std::filesystem::path backup = BackupPathFor(m_target);
    const std::filesystem::path temporary = TemporaryPathFor(backup);
    if (!std::filesystem::copy_file(m_target, temporary, std::filesystem::copy_options::overwrite_existing, error) ||
        !SyncToDisk(temporary, error)) {
        const int number = error.value();
        std::filesystem::remove(temporary, error);
        errno = number;
        return false;
    }
    std::filesystem::rename(temporary, backup, error);
    if (error) {
        const int number = error.value();
        std::filesystem::remove(temporary, error);
        errno = number;
        return false;
    }
    return true;
}

std::filesystem::path CStdioFileEx::BackupPathFor(const std::filesystem::path& path)
{
    std::filesystem::path backup = path;
    backup += ".bak";
    return backup;
}

bool CStdioFileEx::IsReadWritable(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    return file.is_open();
}

void CStdioFileEx::RemoveAbandonedSaves(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        return;
    }
    for (const std::filesystem::directory_entry& entry : entries) {
        std::int64_t processId = 0;
        if (!entry.is_regular_file(error) || entry.is_symlink(error) ||
            !TemporaryNameProcess(NameBytes(entry.path()), processId)) {
            continue;
        }
        // A live process may be between writing its temporary file and the rename; its
        // own rename or removal ends the file.
        if (!ProcessIsRunning(processId)) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}
