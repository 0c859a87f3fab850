#pragma once

#include "device/LinkKind.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class HidHandle;
class UiPoster;

// The status listener of one link: a thread that blocks reading input reports from the
// link's status interface and posts every status report to the UI thread, where it is
// processed as one step. It ends when a read fails, which is how the system says the
// interface is gone; destroying the listener closes the interface to end it sooner.
//
// The link's `active` flag is claimed with one test-and-set before the thread starts and
// released when the thread ends, so at most one listener reads a link at a time.
class StatusListener {
public:
    using ReportSink = std::function<void(LinkKind link, std::vector<std::uint8_t> report)>;
    using EndSink = std::function<void()>;

    // Claims `active` and starts reading `handle` with a buffer of `inputLength` bytes.
    // Null when another listener holds the flag or `handle` is null (the flag is then
    // left as it was). `reports` gets every status report and `ended` runs once the flag
    // is released, both on the UI thread through `poster`.
    [[nodiscard]] static std::unique_ptr<StatusListener> Start(LinkKind link, std::unique_ptr<HidHandle> handle,
                                                               std::size_t inputLength, std::atomic<bool>& active,
                                                               UiPoster& poster, ReportSink reports, EndSink ended);
    ~StatusListener();
    StatusListener(const StatusListener&) = delete;
    StatusListener& operator=(const StatusListener&) = delete;

private:
    StatusListener(LinkKind link, std::shared_ptr<HidHandle> handle, std::size_t inputLength,
                   std::atomic<bool>& active);
    void Run(UiPoster& poster, const ReportSink& reports, const EndSink& ended);

    LinkKind m_link;
    std::shared_ptr<HidHandle> m_handle;
    std::size_t m_inputLength;
    std::atomic<bool>& m_active;
    std::thread m_thread;  // last: starts after everything it reads exists
};
