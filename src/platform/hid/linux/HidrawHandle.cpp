#include "platform/hid/linux/HidrawHandle.h"

#include "platform/hid/linux/ErrnoMessage.h"

#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

// No hidraw report is longer than the kernel's HID buffer.
constexpr std::size_t kMaxReportLength = 4096;

}  // namespace

std::unique_ptr<HidrawHandle> HidrawHandle::Create(int nodeDescriptor, std::string nodePath,
                                                   HidrawInputRouting routing, std::string& error)
{
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        error = ErrnoMessage("open " + nodePath, "eventfd", errno);
        ::close(nodeDescriptor);
        return nullptr;
    }
    return std::unique_ptr<HidrawHandle>(new HidrawHandle(nodeDescriptor, wake, std::move(nodePath),
                                                          std::move(routing)));
}

HidrawHandle::HidrawHandle(int nodeDescriptor, int wakeDescriptor, std::string nodePath,
                           HidrawInputRouting routing)
    : m_node(nodeDescriptor),
      m_wake(wakeDescriptor),
      m_nodePath(std::move(nodePath)),
      m_routing(std::move(routing)),
      m_readBuffer(kMaxReportLength)
{
    std::sort(m_routing.inputReportIds.begin(), m_routing.inputReportIds.end());
}

HidrawHandle::~HidrawHandle()
{
    Close();
}

void HidrawHandle::Close()
{
    std::unique_lock lock(m_mutex);
    if (m_closed)
        return;
    m_closed = true;
    m_lastError = m_nodePath + " is closed";
    // Only an overflowing counter makes the write fail, and a counter that full wakes the reader already.
    const std::uint64_t wakeOnce = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wake, &wakeOnce, sizeof wakeOnce);
    m_idle.wait(lock, [this] { return m_users == 0; });
    ::close(m_node);
    ::close(m_wake);
    m_node = -1;
    m_wake = -1;
}

bool HidrawHandle::SetFeature(std::span<const std::uint8_t> report)
{
    if (report.empty())
        return Fail("an empty feature report for " + m_nodePath);
    if (!BeginUse())
        return false;
    const int result = ::ioctl(m_node, HIDIOCSFEATURE(report.size()), report.data());
    const int errorNumber = errno;
    EndUse();
    return result >= 0 || Fail("write a feature report to " + m_nodePath, "HIDIOCSFEATURE", errorNumber);
}

bool HidrawHandle::GetFeature(std::span<std::uint8_t> buffer)
{
    if (buffer.empty())
        return Fail("an empty feature buffer for " + m_nodePath);
    if (!BeginUse())
        return false;
    // hidraw answers with the report id in byte 0, also the 0 of a device without ids.
    const int result = ::ioctl(m_node, HIDIOCGFEATURE(buffer.size()), buffer.data());
    const int errorNumber = errno;
    EndUse();
    return result >= 0 || Fail("read a feature report from " + m_nodePath, "HIDIOCGFEATURE", errorNumber);
}

bool HidrawHandle::ReadInput(std::span<std::uint8_t> buffer)
{
    if (buffer.empty())
        return Fail("an empty input buffer for " + m_nodePath);
    if (!BeginUse())
        return false;
    const bool received = ReadOwnReport(buffer);
    EndUse();
    return received;
}

bool HidrawHandle::ReadOwnReport(std::span<std::uint8_t> buffer)
{
    for (;;) {
        pollfd waits[2] = {{m_node, POLLIN, 0}, {m_wake, POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) {
            const int errorNumber = errno;
            if (errorNumber == EINTR)
                continue;
            return Fail("read " + m_nodePath, "poll", errorNumber);
        }
        if (waits[1].revents != 0)
            return false;  // closed; Close has set the reason
        if ((waits[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return Fail(m_nodePath + " is gone");
        if ((waits[0].revents & POLLIN) == 0)
            continue;
        const ssize_t count = ::read(m_node, m_readBuffer.data(), m_readBuffer.size());
        if (count < 0) {
            const int errorNumber = errno;
            if (errorNumber == EINTR || errorNumber == EAGAIN)
                continue;
            return Fail("read " + m_nodePath, "read", errorNumber);
        }
        if (count == 0)
            return Fail(m_nodePath + " is gone");
        const std::span<const std::uint8_t> report(m_readBuffer.data(), static_cast<std::size_t>(count));
        if (m_routing.usesReportIds) {
            if (!IsOwnReport(report[0]))
                continue;
            std::copy_n(report.begin(), std::min(report.size(), buffer.size()), buffer.begin());
        } else {
            buffer[0] = 0;
            std::copy_n(report.begin(), std::min(report.size(), buffer.size() - 1), buffer.begin() + 1);
        }
        return true;
    }
}

std::string HidrawHandle::LastError() const
{
    const std::lock_guard lock(m_mutex);
    return m_lastError;
}

bool HidrawHandle::BeginUse()
{
    const std::lock_guard lock(m_mutex);
    if (m_closed)
        return false;
    ++m_users;
    return true;
}

void HidrawHandle::EndUse()
{
    const std::lock_guard lock(m_mutex);
    if (--m_users == 0)
        m_idle.notify_all();
}

bool HidrawHandle::Fail(const std::string& action, const char* call, int errorNumber)
{
    return Fail(ErrnoMessage(action, call, errorNumber));
}

bool HidrawHandle::Fail(std::string reason)
{
    const std::lock_guard lock(m_mutex);
    if (!m_closed)
        m_lastError = std::move(reason);
    return false;
}

bool HidrawHandle::IsOwnReport(std::uint8_t reportId) const
{
    return std::binary_search(m_routing.inputReportIds.begin(), m_routing.inputReportIds.end(), reportId);
}
