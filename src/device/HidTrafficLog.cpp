#include "device/HidTrafficLog.h"

#include "device/Clock.h"

#include <cerrno>
#include <system_error>

namespace {

std::string_view OperationName(HidOperation operation)
{
    switch (operation) {
    case HidOperation::SetFeature:
        return "set-feature";
    case HidOperation::GetFeature:
        return "get-feature";
    case HidOperation::Input:
        return "input";
    }
    return "";
}

}  // namespace

std::unique_ptr<HidTrafficLog> HidTrafficLog::Open(const std::filesystem::path& path, const Clock& clock,
                                                   std::string& error)
{
    std::FILE* file = std::fopen(path.string().c_str(), "ab");
    if (file == nullptr) {
        error = "cannot open the HID log " + path.string() + ": " + std::generic_category().message(errno);
        return nullptr;
    }
    return std::unique_ptr<HidTrafficLog>(new HidTrafficLog(file, clock));
}

HidTrafficLog::HidTrafficLog(std::FILE* file, const Clock& clock) : m_file(file), m_clock(clock) {}

HidTrafficLog::~HidTrafficLog()
{
    std::fclose(m_file);
}

std::string HidTrafficLog::FormatLine(std::chrono::microseconds time, LinkKind link, HidOperation operation,
                                      std::span<const std::uint8_t> bytes, bool succeeded)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const long long milliseconds = time.count() / 1000;
    std::string line = std::to_string(milliseconds / 1000);
    const auto fraction = std::to_string(1000 + milliseconds % 1000);  // "1xyz": keeps leading zeros
    line += '.';
    line.append(fraction, 1, 3);
    line += ' ';
    line += LinkName(link);
    line += ' ';
    line += OperationName(operation);
    line += ' ';
    line += std::to_string(bytes.size());
    line.reserve(line.size() + bytes.size() * 3 + 8);
    for (const std::uint8_t byte : bytes) {
        line += ' ';
        line += kHexDigits[byte >> 4];
        line += kHexDigits[byte & 0x0F];
    }
    if (!succeeded)
        line += " failed";
    return line;
}

void HidTrafficLog::Record(LinkKind link, HidOperation operation, std::span<const std::uint8_t> bytes,
                           bool succeeded)
{
    std::string line = FormatLine(m_clock.Now(), link, operation, bytes, succeeded);
    line += '\n';
    const std::lock_guard lock(m_mutex);
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
}
