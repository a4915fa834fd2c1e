#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <typeindex>
#include <utility>

#include "store/ShapeGroup.h"

// The process-wide groups, keyed by id, then by name and element type. Guarded by the
// dispatcher's queue lock: every member function expects the caller to hold it, except
// memberCount.
class ShapeRegistry {
public:
    static ShapeRegistry& instance();

    // Finds or makes the group.
    ShapeGroup& group(int32_t id, const char* name, const std::type_info& type);
    // The group, or null when none was ever made.
    ShapeGroup* find(int32_t id, const char* name, const std::type_info& type);

    // Number of shapes currently in the group of (id, name, element type); takes the lock.
    template <class T>
    static std::size_t memberCount(int32_t id, const char* name) {
        return memberCount(id, name, typeid(T));
    }
    static std::size_t memberCount(int32_t id, const char* name, const std::type_info& type);

private:
    using NameKey = std::pair<std::string, std::type_index>;
    std::map<int32_t, std::map<NameKey, ShapeGroup>> groups_;
};
