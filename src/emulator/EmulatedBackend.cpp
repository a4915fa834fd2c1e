#include "emulator/EmulatedBackend.h"

#include <algorithm>
#include <cerrno>

#include "device/HidPath.h"
#include "emulator/EmulatedMonitor.h"
#include "emulator/VirtualKeyboard.h"

namespace {

constexpr int kKeyboardDevice = 0;
constexpr int kOldFirmwareDevices[] = {1, 2};  // 0x1511, 0x1512

std::string KeyboardInterface(int interfaceNumber, int collection) {
    std::string instance = "8&2c5e0a1&0&000" + std::to_string(interfaceNumber + (collection > 0));
    return MakeHidInterfacePath(kKeyboardVendorId, kKeyboardProductId, interfaceNumber, collection,
                                instance);
}

int OldFirmwareDevice(int productId) {
    return productId == kOldFirmwareProductIds[1] ? kOldFirmwareDevices[1] : kOldFirmwareDevices[0];
}

}  // namespace

EmulatedBackend::EmulatedBackend(std::shared_ptr<VirtualKeyboard> keyboard)
    : keyboard_(keyboard ? std::move(keyboard) : std::make_shared<VirtualKeyboard>()), devices_(3) {
    // The answering interface comes before the decoy with a collection, so the first match of
    // an enumeration is the one that works.
    for (const std::string& path : KeyboardInterfacePaths()) {
        interfaces_.push_back({path, kKeyboardDevice, path == KeyboardPath()});
    }
    for (int i = 0; i < 2; ++i) {
        int productId = kOldFirmwareProductIds[i];
        interfaces_.push_back(
            {MakeHidInterfacePath(kKeyboardVendorId, productId, 0, -1, "8&1f0b7d2&0&0000"),
             kOldFirmwareDevices[i], false});
        interfaces_.push_back({OldFirmwarePath(productId), kOldFirmwareDevices[i], false});
    }
    devices_[kKeyboardDevice] = {true, 1};
}

EmulatedBackend::~EmulatedBackend() = default;

std::string EmulatedBackend::KeyboardPath() {
    return KeyboardInterface(3, -1);
}

std::vector<std::string> EmulatedBackend::KeyboardInterfacePaths() {
    return {KeyboardInterface(0, -1), KeyboardInterface(1, -1), KeyboardInterface(3, -1),
            KeyboardInterface(3, 1)};
}

std::string EmulatedBackend::OldFirmwarePath(int productId) {
    return MakeHidInterfacePath(kKeyboardVendorId, productId, 3, -1, "8&1f0b7d2&0&0003");
}

void EmulatedBackend::PlugKeyboard() {
    std::unique_lock lock(mutex_);
    SetPlugged(kKeyboardDevice, true, lock);
}

void EmulatedBackend::UnplugKeyboard() {
    std::unique_lock lock(mutex_);
    SetPlugged(kKeyboardDevice, false, lock);
}

bool EmulatedBackend::KeyboardPlugged() const {
    std::lock_guard lock(mutex_);
    return devices_[kKeyboardDevice].plugged;
}

void EmulatedBackend::PlugOldFirmware(int productId) {
    std::unique_lock lock(mutex_);
    SetPlugged(OldFirmwareDevice(productId), true, lock);
}

void EmulatedBackend::UnplugOldFirmware() {
    std::unique_lock lock(mutex_);
    for (int device : kOldFirmwareDevices) SetPlugged(device, false, lock);
}

void EmulatedBackend::SetPlugged(int device, bool plugged, std::unique_lock<std::mutex>&) {
    Device& state = devices_[device];
    if (state.plugged == plugged) return;
    state.plugged = plugged;
    if (plugged) ++state.generation;
    HidEvent::Kind kind = plugged ? HidEvent::Kind::Arrival : HidEvent::Kind::Removal;
    std::erase_if(monitors_, [](const auto& queue) { return queue.expired(); });
    for (const Interface& interface : interfaces_) {
        if (interface.device != device) continue;
        for (const auto& weak : monitors_) {
            if (auto queue = weak.lock()) queue->Push({kind, interface.path});
        }
    }
    changed_.notify_all();
}

void EmulatedBackend::SetLatency(std::chrono::microseconds latency) {
    std::lock_guard lock(mutex_);
    latency_ = std::max(latency, std::chrono::microseconds{0});
}

void EmulatedBackend::FailReport(std::uint64_t number) {
    std::lock_guard lock(mutex_);
    failReports_.insert(number);
}

void EmulatedBackend::SpoilEcho(std::uint64_t number, EchoFault fault) {
    std::lock_guard lock(mutex_);
    spoiledEchoes_[number] = fault;
}

void EmulatedBackend::UnplugAfter(std::uint64_t number) {
    std::lock_guard lock(mutex_);
    unplugAfter_ = number;
}

void EmulatedBackend::ClearFaults() {
    std::lock_guard lock(mutex_);
    failReports_.clear();
    spoiledEchoes_.clear();
    unplugAfter_.reset();
}

std::uint64_t EmulatedBackend::ReportCount() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

std::vector<ReportRecord> EmulatedBackend::Log() const {
    std::lock_guard lock(mutex_);
    return {log_.begin(), log_.end()};
}

void EmulatedBackend::ClearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

void EmulatedBackend::SetLogging(bool on) {
    std::lock_guard lock(mutex_);
    logging_ = on;
}

std::vector<std::string> EmulatedBackend::Enumerate() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> paths;
    for (const Interface& interface : interfaces_) {
        if (devices_[interface.device].plugged) paths.push_back(interface.path);
    }
    return paths;
}

HidHandle EmulatedBackend::Open(const std::string& path, HidAccess) {
    std::lock_guard lock(mutex_);
    auto found = std::find_if(interfaces_.begin(), interfaces_.end(),
                              [&](const Interface& i) { return i.path == path; });
    if (found == interfaces_.end() || !devices_[found->device].plugged) {
        NoteFailure(HidFailure::FromErrno(found == interfaces_.end() ? ENOENT : ENODEV));
        return kInvalidHidHandle;
    }
    HidHandle handle = nextHandle_++;
    handles_.emplace(handle,
                     std::make_shared<Handle>(Handle{&*found, devices_[found->device].generation}));
    return handle;
}

bool EmulatedBackend::Alive(const Handle& handle) const {
    const Device& device = devices_[handle.interface->device];
    return !handle.closed && device.plugged && device.generation == handle.generation;
}

bool EmulatedBackend::Admit(Handle& handle, std::uint64_t& number,
                            std::unique_lock<std::mutex>& lock) {
    number = ++reports_;
    if (latency_.count() > 0) {
        // Reports in a row are paced against a running schedule, as a device serving them back
        // to back would be, so that a late wake-up shortens the next wait instead of adding up.
        const auto now = std::chrono::steady_clock::now();
        if (now - due_ > latency_) due_ = now;
        due_ += latency_;
        changed_.wait_until(lock, due_, [&] { return !Alive(handle); });
    }
    if (Alive(handle) && handle.interface->answers && !failReports_.contains(number)) return true;
    // What the kernel reports in these cases: a gone device, a stalled request, a broken bus.
    NoteFailure(HidFailure::FromErrno(!Alive(handle)               ? ENODEV
                                      : !handle.interface->answers ? EPIPE
                                                                   : EIO));
    return false;
}

void EmulatedBackend::Finish(ReportRecord record, std::unique_lock<std::mutex>& lock) {
    if (unplugAfter_ && record.number >= *unplugAfter_) {
        unplugAfter_.reset();
        SetPlugged(kKeyboardDevice, false, lock);
    }
    if (!logging_) return;
    if (log_.size() == kLogLimit) log_.pop_front();
    log_.push_back(std::move(record));
}

std::shared_ptr<EmulatedBackend::Handle> EmulatedBackend::Find(HidHandle handle,
                                                               const std::uint8_t* report,
                                                               std::size_t size) const {
    auto found = handles_.find(handle);
    if (found == handles_.end() || report == nullptr || size < kFeatureReportSize) {
        NoteFailure(HidFailure::FromErrno(found == handles_.end() ? EBADF : EINVAL));
        return nullptr;
    }
    return found->second;
}

bool EmulatedBackend::SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) {
    std::unique_lock lock(mutex_);
    std::shared_ptr<Handle> open = Find(handle, report, size);
    if (!open) return false;
    ReportRecord record;
    record.direction = ReportRecord::Direction::Set;
    record.path = open->interface->path;
    record.packet = FeaturePacket::FromReport(report);
    record.accepted = Admit(*open, record.number, lock);
    if (record.accepted && !(report[0] == 0 && keyboard_->Receive(record.packet))) {
        NoteFailure(HidFailure::FromErrno(EPIPE));  // the firmware refused the report
        record.accepted = false;
    }
    bool accepted = record.accepted;
    Finish(std::move(record), lock);
    return accepted;
}

bool EmulatedBackend::GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) {
    std::unique_lock lock(mutex_);
    std::shared_ptr<Handle> open = Find(handle, report, size);
    if (!open) return false;
    ReportRecord record;
    record.direction = ReportRecord::Direction::Get;
    record.path = open->interface->path;
    std::optional<FeaturePacket> answer;
    if (Admit(*open, record.number, lock)) {
        answer = keyboard_->Answer();
        if (!answer) NoteFailure(HidFailure::FromErrno(EPIPE));
    }
    if (answer) {
        if (auto spoiled = spoiledEchoes_.find(record.number); spoiled != spoiledEchoes_.end()) {
            switch (spoiled->second) {
                case EchoFault::Command:
                    answer->command &= static_cast<std::uint8_t>(~0x80);
                    break;
                case EchoFault::Offset:
                    answer->offset += 1;
                    break;
                case EchoFault::Sub:
                    answer->sub = static_cast<std::uint8_t>(answer->sub + 1);
                    break;
            }
        }
        answer->ToReport(report);
        record.packet = *answer;
        record.accepted = true;
    }
    Finish(std::move(record), lock);
    return answer.has_value();
}

bool EmulatedBackend::Close(HidHandle handle) {
    std::lock_guard lock(mutex_);
    auto found = handles_.find(handle);
    if (found == handles_.end()) return false;
    found->second->closed = true;  // a report waiting out its delay on it fails
    handles_.erase(found);
    changed_.notify_all();
    return true;
}

std::unique_ptr<HidMonitor> EmulatedBackend::Monitor() {
    auto queue = std::make_shared<EmulatedEventQueue>();
    std::lock_guard lock(mutex_);
    monitors_.push_back(queue);
    return std::make_unique<EmulatedMonitor>(queue);
}
