#include "device/HidrawBackend.h"

#include <hidapi/hidapi.h>

#include <cerrno>
#include <set>

#include "device/HidPath.h"
#include "device/HidrawIdentity.h"
#include "device/UdevHidMonitor.h"

// A report in flight keeps its device alive, so closing a handle meanwhile never frees what the
// report still uses; the report itself ends as the driver decides.
struct HidrawBackend::Device {
    explicit Device(hid_device* device) : device(device) {}
    ~Device() { hid_close(device); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    hid_device* device;
};

namespace {

std::string_view BaseName(std::string_view path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// errno when the call left one, else hidapi's own text (device null: its last global error).
HidFailure FailureOf(int error, hid_device* device) {
    if (error != 0) return HidFailure::FromErrno(error);
    const wchar_t* text = hid_error(device);
    std::string narrow;
    for (const wchar_t* c = text; c != nullptr && *c != L'\0'; ++c)
        narrow += *c < 0x80 ? static_cast<char>(*c) : '?';
    return {0, narrow.empty() ? "the HID library gave no reason" : narrow};
}

}  // namespace

HidrawBackend::HidrawBackend() {
    static std::once_flag initialised;
    std::call_once(initialised, [] { hid_init(); });
}

HidrawBackend::~HidrawBackend() = default;

std::vector<std::string> HidrawBackend::Enumerate() {
    std::vector<std::string> paths;
    std::set<std::string, std::less<>> nodes;  // hidapi lists a node once per top-level usage
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* info = list; info != nullptr; info = info->next) {
        std::string_view node = BaseName(info->path != nullptr ? info->path : "");
        if (!nodes.emplace(node).second) continue;
        paths.push_back(IsHidrawName(node) ? MakeHidInterfacePath(info->vendor_id, info->product_id,
                                                                  info->interface_number, -1, node)
                                           : std::string());
    }
    hid_free_enumeration(list);
    return paths;
}

HidHandle HidrawBackend::Open(const std::string& path, HidAccess) {
    std::optional<std::string> node = HidrawNodeOfPath(path);
    if (!node) {
        NoteFailure({0, "not the path of a hidraw node"});
        return kInvalidHidHandle;
    }
    errno = 0;
    hid_device* device = hid_open_path(node->c_str());
    if (device == nullptr) {
        NoteFailure(FailureOf(errno, nullptr));
        return kInvalidHidHandle;
    }
    auto opened = std::make_shared<Device>(device);
    std::lock_guard lock(mutex_);
    HidHandle handle = nextHandle_++;
    devices_.emplace(handle, std::move(opened));
    return handle;
}

std::shared_ptr<HidrawBackend::Device> HidrawBackend::Find(HidHandle handle) {
    std::lock_guard lock(mutex_);
    auto found = devices_.find(handle);
    return found == devices_.end() ? nullptr : found->second;
}

bool HidrawBackend::SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) {
    std::shared_ptr<Device> device = Find(handle);
    if (!device) return NoteClosedHandle();
    errno = 0;
    if (hid_send_feature_report(device->device, report, size) >= 0) return true;
    NoteFailure(FailureOf(errno, device->device));
    return false;
}

bool HidrawBackend::GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) {
    std::shared_ptr<Device> device = Find(handle);
    if (!device) return NoteClosedHandle();
    if (size == 0) {
        NoteFailure(HidFailure::FromErrno(EINVAL));
        return false;
    }
    report[0] = 0;
    errno = 0;
    if (hid_get_feature_report(device->device, report, size) > 0) return true;
    NoteFailure(FailureOf(errno, device->device));
    return false;
}

bool HidrawBackend::NoteClosedHandle() const {
    NoteFailure(HidFailure::FromErrno(EBADF));
    return false;
}

bool HidrawBackend::Close(HidHandle handle) {
    std::shared_ptr<Device> device;
    {
        std::lock_guard lock(mutex_);
        auto found = devices_.find(handle);
        if (found == devices_.end()) return false;
        device = std::move(found->second);
        devices_.erase(found);
    }
    return true;
}

std::unique_ptr<HidMonitor> HidrawBackend::Monitor() {
    return UdevHidMonitor::Create();
}
