#pragma once

#include "device/LinkKind.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

class HidHandle;

// The command interface of each link. Discovery fills and empties the slots on the UI
// thread; a device-thread job takes the interface it writes to when it runs, not when it
// was queued, so commands queued behind a long job or across a change of the link in
// charge go to the interface that reaches the mouse then. The one lock guards only the
// handle pointers; a job keeps the handle it took alive until it lets go.
class CommandSlots {
public:
    void Set(LinkKind link, std::shared_ptr<HidHandle> handle);
    void Close(LinkKind link);
    void CloseAll();

    [[nodiscard]] std::shared_ptr<HidHandle> Get(LinkKind link) const;
    [[nodiscard]] bool Has(LinkKind link) const;
    // The first open slot in the order wired, BLE, receiver.
    [[nodiscard]] std::optional<LinkKind> PreferredLink() const;
    [[nodiscard]] std::shared_ptr<HidHandle> Preferred() const;

private:
    mutable std::mutex m_mutex;
    std::array<std::shared_ptr<HidHandle>, kLinkKindCount> m_slots;
};
