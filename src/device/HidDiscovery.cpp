#include "device/HidDiscovery.h"

#include <algorithm>

#include "device/HidPath.h"
#include "trace/Trace.h"

namespace {

bool Wanted(const std::string& path, const int* productIds, int count) {
    HidPathInfo info;
    if (!ParseHidPath(path, info)) return false;
    return info.vendorId == kKeyboardVendorId && info.interfaceNumber == kKeyboardInterface &&
           std::find(productIds, productIds + count, info.productId) != productIds + count;
}

}  // namespace

std::vector<std::string> FindHidInterfaces(HidBackend& backend, const int* productIds, int count) {
    if (productIds == nullptr || count < 0) count = 0;
    std::vector<std::string> found;
    std::vector<std::string> paths = backend.Enumerate();
    trace::Printf(trace::Level::Info, "got classs: guid={%s}", kHidInterfaceClassGuid);
    for (std::size_t index = 0; index < paths.size(); ++index) {
        trace::Printf(trace::Level::Info, "enum interface: guid={%s} index=%d",
                      kHidInterfaceClassGuid, static_cast<int>(index));
        const std::string& path = paths[index];
        if (path.empty()) {
            trace::Line(trace::Level::Info, "获取接口信息失败");
            continue;
        }
        if (Wanted(path, productIds, count)) found.push_back(path);
    }
    return found;
}
