#pragma once

#include "device/VirtualClock.h"
#include "sim/SimCommandBuilder.h"
#include "sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <span>

// A mouse on a virtual clock with its wired link plugged and a command handle open.
class SimMouseFixture : public ::testing::Test {
protected:
    using Reply = std::array<std::uint8_t, 32>;

    SimMouseFixture()
    {
        mouse.Plug(LinkKind::Wired);
        wired = mouse.OpenCommandInterface(LinkKind::Wired);
    }

    // Writes a command and reads the reply as the host does; a failed read gives zeros.
    Reply Send(HidHandle& handle, std::span<const std::uint8_t> report)
    {
        (void)handle.SetFeature(report);
        return ReadReply(handle);
    }
    Reply Send(std::span<const std::uint8_t> report) { return Send(*wired, report); }

    Reply ReadReply(HidHandle& handle)
    {
        Reply reply{};
        reply[0] = 9;
        if (!handle.GetFeature(reply))
            reply.fill(0);
        return reply;
    }

    static Reply ReadStatus(HidHandle& handle)
    {
        Reply report{};
        EXPECT_TRUE(handle.ReadInput(report));
        return report;
    }

    // Opens a link's status interface and reads the report of the mouse's state that
    // every status interface starts with, so that the test reads what follows it.
    std::unique_ptr<HidHandle> OpenStatus(LinkKind link)
    {
        auto status = mouse.OpenStatusInterface(link);
        if (status != nullptr)
            EXPECT_EQ(ReadStatus(*status)[0], 7);
        return status;
    }

    VirtualClock clock;
    SimulatedMouse mouse{clock};
    std::unique_ptr<HidHandle> wired;
};
