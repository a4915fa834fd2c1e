#include "device/HidDiscovery.h"

#include <algorithm>
#include <cstdio>

#include "device/HidPath.h"

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
    std::printf("got classs: guid={%s}\n", kHidInterfaceClassGuid);
    for (std::size_t index = 0; index < paths.size(); ++index) {
        std::printf("enum interface: guid={%s} index=%d\n", kHidInterfaceClassGuid,
                    static_cast<int>(index));
        const std::string& path = paths[index];
        if (path.empty()) {
            std::printf("获取接口信息失败\n");
            continue;
        }
        if (Wanted(path, productIds, count)) found.push_back(path);
    }
    std::fflush(stdout);
    return found;
}
