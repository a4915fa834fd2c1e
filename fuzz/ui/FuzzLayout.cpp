// Builds a window from arbitrary bytes read as a layout, offscreen, then destroys it. The
// layout may include the program's own layouts and name its skins, pictures and key maps.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "OffscreenApp.h"
#include "ui/HostWnd.h"

namespace {

// Also a name a fuzzed layout can include, itself among others.
const QString kResource = QStringLiteral("LAYOUT:fuzz");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OffscreenApplicationWith(kResource, data, size);
    {
        SOUI::SHostWnd host(kResource);
        host.Create();
        host.DestroyWindow();
        if (host.IsWindow()) __builtin_trap();
    }
    FlushDeferredDeletes();
    return 0;
}
