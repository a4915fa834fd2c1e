// The keyboard's side: it is pulled out and put back, and now and then a report fails.
#include "SoakAction.h"
#include "UserInput.h"

std::vector<SoakAction> DeviceActions(SoakRig& rig, std::mt19937& random) {
    return {
        {"unplug or replug", 3,
         [&rig] {
             EmulatedBackend& backend = rig.Backend();
             if (backend.KeyboardPlugged())
                 backend.UnplugKeyboard();
             else
                 backend.PlugKeyboard();
             SoakRig::Settle();
         }},
        {"failing report", 6,
         [&rig, &random] {
             // One of the next few reports fails, whichever action it belongs to.
             EmulatedBackend& backend = rig.Backend();
             backend.FailReport(backend.ReportCount() + 1 +
                                static_cast<std::uint64_t>(soak::RandomBelow(random, 8)));
         }},
    };
}
