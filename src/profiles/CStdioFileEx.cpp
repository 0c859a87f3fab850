#include "profiles/CStdioFileEx.h"

#include <bit>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace {

constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kByteOrderMark = 0xFEFF;

[[maybe_unused]] char16_t FromLittleEndian(unsigned char low, unsigned char high)
{
    return static_cast<char16_t>(low | (high << 8));
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target)
{
    std::filesystem::path temporary = target;
    temporary += ".saving~";
    return temporary;
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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::error_code error;
    if (std::endian::native == std::endian::little &&
        std::filesystem::is_regular_file(path, error)) {
        // A regular file is read straight into the text buffer in one call, so large
        // files (a macro library of tens of megabytes) load at disk speed.
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        if (size >= 0) {
            const std::size_t units = size >= 2 ? static_cast<std::size_t>(size - 2) / 2 : 0;
            in.seekg(size >= 2 ? 2 : size, std::ios::beg);
            m_text.resize(units);
            if (units > 0) {
                in.read(reinterpret_cast<char*>(m_text.data()),
                        static_cast<std::streamsize>(units * 2));
                m_text.resize(static_cast<std::size_t>(in.gcount()) / 2);
            }
            if (in.bad()) {
                m_text.clear();
                return false;
            }
            m_state = State::Reading;
            m_position = 0;
            m_lineNumber = 0;
            return true;
        }
        // Not seekable after all: read it byte by byte from the start.
        in.clear();
        in.seekg(0, std::ios::beg);
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
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
    m_state = State::Reading;
    m_position = 0;
    m_lineNumber = 0;
    return true;
}

bool CStdioFileEx::ReadLine(std::u16string_view& line)
{
    if (m_state != State::Reading) {
        return false;
    }
    ++m_lineNumber;
    if (m_position >= m_text.size()) {
        line = {};
        return false;
    }
    std::size_t end = m_text.find(kLineFeed, m_position);
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

bool CStdioFileEx::OpenForWrite(const std::filesystem::path& path)
{
    Close();
    // A read-only file stays as it is: replacing it by rename would get round its
    // protection.
    std::error_code error;
    if (std::filesystem::exists(path, error) && !IsReadWritable(path)) {
        return false;
    }
    m_target = path;
    m_temporary = TemporaryPathFor(path);
    // Create the temporary file now, so that a folder that cannot take a file is known
    // before any text is collected.
    std::ofstream probe(m_temporary, std::ios::binary | std::ios::trunc);
    if (!probe) {
        return false;
    }
    m_text.clear();
    m_text.push_back(kByteOrderMark);
    m_state = State::Writing;
    return true;
}

void CStdioFileEx::Reserve(std::size_t characters)
{
    if (m_state == State::Writing) {
        m_text.reserve(m_text.size() + characters);
    }
}

void CStdioFileEx::WriteString(std::u16string_view text)
{
    if (m_state == State::Writing) {
        m_text.append(text);
    }
}

void CStdioFileEx::WriteLine(std::u16string_view text)
{
    if (m_state == State::Writing) {
        m_text.append(text);
        m_text.push_back(kLineFeed);
    }
}

bool CStdioFileEx::Close()
{
    const State state = m_state;
    m_state = State::Closed;
    if (state != State::Writing) {
        m_text.clear();
        m_text.shrink_to_fit();
        return state == State::Reading;
    }

    bool written = false;
    {
        std::ofstream out(m_temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            if constexpr (std::endian::native == std::endian::little) {
                out.write(reinterpret_cast<const char*>(m_text.data()),
                          static_cast<std::streamsize>(m_text.size() * 2));
            } else {
                for (const char16_t unit : m_text) {
                    out.put(static_cast<char>(unit & 0xFF));
                    out.put(static_cast<char>(unit >> 8));
                }
            }
            out.flush();
            written = out.good();
        }
    }
    m_text.clear();
    m_text.shrink_to_fit();
    std::error_code error;
    if (written) {
        std::filesystem::rename(m_temporary, m_target, error);
        written = !error;
    }
    if (!written) {
        std::filesystem::remove(m_temporary, error);
    }
    return written;
}

void CStdioFileEx::DiscardWrite()
{
    m_state = State::Closed;
    m_text.clear();
    std::error_code error;
    std::filesystem::remove(m_temporary, error);
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
