#pragma once

#include "DeviceLinkFixture.h"

#include "device/DeviceDiscovery.h"
#include "sim/SimHidBackend.h"

#include <algorithm>

// Discovery over the simulated mouse's interfaces, with nothing plugged at first.
// Device changes, presence replies and status reports wait in the posted-task queue
// until the test runs it; exchanges run at once on the test's thread.
class DeviceDiscoveryFixture : public DeviceLinkFixture {
protected:
    DeviceDiscoveryFixture() : DeviceLinkFixture(StartConnected::No) {}

    // Plugs links and runs the posted device changes.
    void PlugAndSettle(std::initializer_list<LinkKind> kinds)
    {
        for (const LinkKind kind : kinds)
            mouse.Plug(kind);
        ui.RunPending();
    }
    void UnplugAndSettle(LinkKind kind)
    {
        mouse.Unplug(kind);
        ui.RunPending();
    }
    // Start-up with the mouse needing no confirmation, then a clean record.
    void StartConfirmed()
    {
        discovery.Startup(0);
        ui.RunPending();
        events.log.clear();
        mouse.ClearReceived();
    }
    [[nodiscard]] bool Present(LinkKind kind) { return link.Link(kind).present; }
    // The presence queries (reads of report 8) the mouse received, by link.
    [[nodiscard]] std::vector<LinkKind> PresenceQueries() const
    {
        std::vector<LinkKind> links;
        for (const SimReceivedReport& report : mouse.Received())
            if (report.operation == SimReportOperation::GetFeature && !report.bytes.empty() &&
                report.bytes[0] == ReportId::kPresence)
                links.push_back(report.link);
        return links;
    }
    [[nodiscard]] std::size_t Count(const std::string& entry) const
    {
        return static_cast<std::size_t>(std::count(events.log.begin(), events.log.end(), entry));
    }

    SimHidBackend backend{mouse, ui};
    DeviceDiscovery discovery{backend, link, ui, events};
};
