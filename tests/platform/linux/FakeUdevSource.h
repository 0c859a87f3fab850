#pragma once

#include "platform/hid/linux/UdevSource.h"

#include <algorithm>
#include <memory>
#include <utility>

// udev as the test sets it up: the nodes there are now and the events waiting. The test
// keeps the state and changes it while the backend owns the source.
struct FakeUdevState {
    std::vector<HidrawNode> nodes;
    std::vector<UdevChange> pending;
};

class FakeUdevSource final : public UdevSource {
public:
    explicit FakeUdevSource(std::shared_ptr<FakeUdevState> state) : m_state(std::move(state)) {}

    [[nodiscard]] std::vector<HidrawNode> EnumerateHidrawNodes() override { return m_state->nodes; }

    [[nodiscard]] std::optional<HidrawNode> FindHidrawNode(const std::string& devnode) override
    {
        const auto found = std::find_if(m_state->nodes.begin(), m_state->nodes.end(),
                                        [&](const HidrawNode& node) { return node.devnode == devnode; });
        if (found == m_state->nodes.end())
            return std::nullopt;
        return *found;
    }

    [[nodiscard]] int MonitorDescriptor() const override { return -1; }

    [[nodiscard]] std::vector<UdevChange> ReceiveChanges() override { return std::exchange(m_state->pending, {}); }

private:
    std::shared_ptr<FakeUdevState> m_state;
};
