#include "persist/BackupStepFields.h"

#include <limits>

#include "persist/BackupKeyNames.h"

namespace persist {

using namespace backup_json;

const StepKeySpace kUsageKeys{"usage", 0, 255, KeyNameOfUsage, UsageOfKeyName};
const StepKeySpace kCodeKeys{"code", std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::max(), KeyNameOfCode,
                             CodeOfKeyName};

void WriteStepKey(Json& step, std::int64_t number, const StepKeySpace& space) {
    if (const auto name = space.nameOf(number)) {
        step["key"] = *name;
    } else {
        step[space.numberField] = number;
    }
}

std::int64_t ReadStepKey(const Json& step, const std::string& path, const StepKeySpace& space) {
    const auto key = step.find("key");
    if (key == step.end()) {
        return WholeNumber(Member(step, path, space.numberField), path + "/" + space.numberField,
                           space.low, space.high);
    }
    const std::string keyPath = path + "/key";
    if (step.contains(space.numberField)) {
        throw BackupRefusal{{keyPath, std::string("both a key and a ") + space.numberField}};
    }
    const std::string& name = Text(*key, keyPath);
    const auto number = space.numberOf(name);
    if (!number) {
        throw BackupRefusal{{keyPath, "no key is named \"" + name + "\""}};
    }
    if (*number < space.low || *number > space.high) {
        throw BackupRefusal{{keyPath, "\"" + name + "\" cannot be a step of this macro"}};
    }
    return *number;
}

Json StateJson(std::int64_t state) {
    if (state == 0) return "down";
    if (state == 1) return "up";
    return state;
}

std::int64_t ReadState(const Json& value, const std::string& path, std::int64_t low,
                       std::int64_t high) {
    if (value.is_string()) {
        const std::string& word = value.get_ref<const std::string&>();
        if (word == "down") return 0;
        if (word == "up") return 1;
        throw BackupRefusal{{path, "not \"down\" or \"up\""}};
    }
    return WholeNumber(value, path, low, high);
}

}  // namespace persist
