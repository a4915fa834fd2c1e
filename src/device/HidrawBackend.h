#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "device/HidBackend.h"

// The real keyboard: hidapi on hidraw nodes for enumeration, opening and feature reports, and
// libudev for hot-plug. Opening fails when the user may not access the node.
class HidrawBackend : public HidBackend {
public:
    HidrawBackend();
    ~HidrawBackend() override;

    std::vector<std::string> Enumerate() override;
    HidHandle Open(const std::string& path, HidAccess access) override;
    bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) override;
    bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) override;
    bool Close(HidHandle handle) override;
    std::unique_ptr<HidMonitor> Monitor() override;

private:
    struct Device;
    std::shared_ptr<Device> Find(HidHandle handle);
    // Notes that the handle is not open and returns false.
    bool NoteClosedHandle() const;

    std::mutex mutex_;
    std::map<HidHandle, std::shared_ptr<Device>> devices_;
    HidHandle nextHandle_ = 1;
};
