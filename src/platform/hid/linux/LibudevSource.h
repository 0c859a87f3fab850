#pragma once

#include "platform/hid/linux/UdevSource.h"

struct udev;
struct udev_device;
struct udev_monitor;

// hidraw nodes and their events through libudev. Events come from udev rather than the
// kernel, so a node announced as added already has the permissions udev's rules give it.
// Without udev (no /run/udev, as in some containers) the lists are empty and no events come.
class LibudevSource final : public UdevSource {
public:
    LibudevSource();
    ~LibudevSource() override;
    LibudevSource(const LibudevSource&) = delete;
    LibudevSource& operator=(const LibudevSource&) = delete;

    [[nodiscard]] std::vector<HidrawNode> EnumerateHidrawNodes() override;
    [[nodiscard]] std::optional<HidrawNode> FindHidrawNode(const std::string& devnode) override;
    [[nodiscard]] int MonitorDescriptor() const override;
    [[nodiscard]] std::vector<UdevChange> ReceiveChanges() override;

private:
    [[nodiscard]] static HidrawNode Describe(udev_device* hidraw);

    udev* m_udev;
    udev_monitor* m_monitor = nullptr;
};
