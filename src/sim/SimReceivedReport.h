#pragma once

#include "device/LinkKind.h"

#include <chrono>
#include <cstdint>
#include <vector>

enum class SimReportOperation : std::uint8_t {
    SetFeature,  // a report the host wrote
    GetFeature,  // a request to read a report
};

// One report as it reached the mouse's command interface, in arrival order.
struct SimReceivedReport {
    std::chrono::microseconds time{0};  // the mouse's clock at arrival
    LinkKind link = LinkKind::Wired;
    SimReportOperation operation = SimReportOperation::SetFeature;
    // The exact bytes the host passed: the written report, or the request buffer of a
    // read as the host filled it before the call.
    std::vector<std::uint8_t> bytes;
    // What the call returned to the host.
    bool succeeded = false;
    // For a read that succeeded: the bytes handed back.
    std::vector<std::uint8_t> reply;

    friend bool operator==(const SimReceivedReport&, const SimReceivedReport&) = default;
};
