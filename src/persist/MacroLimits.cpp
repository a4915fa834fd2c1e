#include "persist/MacroLimits.h"

namespace persist {

std::string ValueRange::Text() const {
    return std::to_string(low) + " to " + std::to_string(high);
}

std::vector<MacroGroupContent> WithinLimits(std::vector<MacroGroupContent> groups) {
    for (MacroGroupContent& group : groups) {
        if (group.info.name.size() > kMaxGroupNameLength)
            group.info.name.resize(kMaxGroupNameLength);
        group.info.repeat = kRepeatRange.Nearest(group.info.repeat);
        if (group.items.size() > kMaxStepsPerGroup) group.items.resize(kMaxStepsPerGroup);
        for (MacroRecordGpItem& step : group.items) {
            step.state = kStepStateRange.Nearest(step.state);
            step.delay = kDelayRange.Nearest(step.delay);
        }
    }
    return groups;
}

}  // namespace persist
