#include "device/diagnose/BackendFacts.h"

#include "device/DeviceCommand.h"
#include "device/DeviceLink.h"
#include "device/FeatureTransport.h"
#include "device/HidPath.h"
#include "records/KeyboardInfo.h"

namespace {

OpenResult TryOpen(HidBackend& backend, const std::string& path, HidAccess access) {
    backend.ForgetFailure();
    const HidHandle handle = backend.Open(path, access);
    if (handle == 0 || handle == kInvalidHidHandle) {
        HidFailure failure = backend.LastFailure();
        if (failure.Empty()) failure.text = "the system gave no reason";
        return {true, false, failure};
    }
    backend.Close(handle);
    return {true, true, {}};
}

const HidInterfaceFacts* ConfigurationInterface(const SystemFacts& facts) {
    for (const HidInterfaceFacts& f : facts.interfaces)
        if (f.productId == kKeyboardProductId && f.interfaceNumber == kKeyboardInterface) return &f;
    return nullptr;
}

}  // namespace

SystemFacts EmulatedSystemFacts(HidBackend& backend) {
    SystemFacts facts;
    facts.emulated = true;
    for (const std::string& path : backend.Enumerate()) {
        HidPathInfo info;
        if (!ParseHidPath(path, info) || info.vendorId != kKeyboardVendorId) continue;
        // A collection of an interface is the same interface to the user; list it once.
        if (info.collection >= 0) continue;
        HidInterfaceFacts f;
        f.path = path;
        f.vendorId = info.vendorId;
        f.productId = info.productId;
        f.interfaceNumber = info.interfaceNumber;
        f.seat.clear();
        f.read = TryOpen(backend, path, HidAccess::Read);
        f.write = TryOpen(backend, path, HidAccess::Write);
        facts.interfaces.push_back(std::move(f));
    }
    return facts;
}

void ReadInformationInto(SystemFacts& facts, const std::shared_ptr<HidBackend>& backend) {
    facts.info = {};
    const HidInterfaceFacts* config = ConfigurationInterface(facts);
    if (config == nullptr || !config->read.ok || !config->write.ok) return;
    facts.info.attempted = true;
    DeviceLink link(backend, false);
    if (link.Open(config->path) < 2) {
        facts.info.failure = link.OpenFailure();
        return;
    }
    keyboard_info_t info;
    const int received = QueryFeature(link, DeviceInfo, 0, info.bytes, keyboard_info_t::SIZE);
    if (received != static_cast<int>(keyboard_info_t::SIZE)) {
        facts.info.failure = backend->LastFailure();
        if (facts.info.failure.Empty())
            facts.info.failure.text = "the answer did not match the request";
        return;
    }
    facts.info.ok = true;
    facts.info.bytes.assign(info.bytes, info.bytes + keyboard_info_t::SIZE);
    facts.info.profiles = info.profileCount();
    facts.info.modes = info.modeCount();
    facts.info.macroSlots = info.macroSlotCount();
}
