#pragma once

#include "device/HidHandle.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

// Which of a hidraw node's input reports belong to one top-level collection.
struct HidrawInputRouting {
    bool usesReportIds = false;
    std::vector<std::uint8_t> inputReportIds;  // the collection's own; ignored without report ids
};

// One top-level collection of a hidraw node, on its own descriptor of the node: hidraw
// hands every open descriptor a copy of every input report, and ReadInput keeps those of
// its collection. Feature reports pass through as they are: hidraw also wants the report
// id in byte 0, and 0 there for a device without report ids. Input reports of such a
// device arrive without the byte; ReadInput puts a 0 in front.
//
// ReadInput copies at most buffer.size() bytes; a shorter report leaves the rest of the
// buffer as it was. One thread reads input at a time. Once the device is gone (the node
// hangs up or fails) ReadInput fails without delivering reports still queued.
class HidrawHandle final : public HidHandle {
public:
    // Takes ownership of `nodeDescriptor`, open on `nodePath`, also when creation fails
    // (null, with the reason in `error`).
    [[nodiscard]] static std::unique_ptr<HidrawHandle> Create(int nodeDescriptor, std::string nodePath,
                                                              HidrawInputRouting routing, std::string& error);
    ~HidrawHandle() override;
    HidrawHandle(const HidrawHandle&) = delete;
    HidrawHandle& operator=(const HidrawHandle&) = delete;

    [[nodiscard]] bool SetFeature(std::span<const std::uint8_t> report) override;
    [[nodiscard]] bool GetFeature(std::span<std::uint8_t> buffer) override;
    [[nodiscard]] bool ReadInput(std::span<std::uint8_t> buffer) override;
    void Close() override;

    // Why the last call failed: the node, the call, the system's reason.
    [[nodiscard]] std::string LastError() const;

private:
    HidrawHandle(int nodeDescriptor, int wakeDescriptor, std::string nodePath, HidrawInputRouting routing);

    // Every call holds a use of the descriptors so that Close never closes one under it.
    [[nodiscard]] bool BeginUse();
    void EndUse();
    [[nodiscard]] bool ReadOwnReport(std::span<std::uint8_t> buffer);
    [[nodiscard]] bool Fail(const std::string& action, const char* call, int errorNumber);
    [[nodiscard]] bool Fail(std::string reason);
    [[nodiscard]] bool IsOwnReport(std::uint8_t reportId) const;

    int m_node;
    int m_wake;  // eventfd that Close signals to end a blocked poll
    std::string m_nodePath;
    HidrawInputRouting m_routing;
    std::vector<std::uint8_t> m_readBuffer;

    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    int m_users = 0;
    bool m_closed = false;
    std::string m_lastError;
};
