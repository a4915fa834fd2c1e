#include "store/ShapeRegistry.h"

#include "store/ShapeDispatcher.h"

ShapeRegistry& ShapeRegistry::instance() {
    return ShapeDispatcher::instance().registry();
}

ShapeGroup& ShapeRegistry::group(int32_t id, const char* name, const std::type_info& type) {
    return groups_[id][NameKey(name ? name : "", type)];
}

ShapeGroup* ShapeRegistry::find(int32_t id, const char* name, const std::type_info& type) {
    auto byId = groups_.find(id);
    if (byId == groups_.end()) return nullptr;
    auto byName = byId->second.find(NameKey(name ? name : "", type));
    return byName == byId->second.end() ? nullptr : &byName->second;
}

std::size_t ShapeRegistry::memberCount(int32_t id, const char* name, const std::type_info& type) {
    ShapeDispatcher& dispatcher = ShapeDispatcher::instance();
    std::lock_guard lock(dispatcher.queueLock());
    ShapeGroup* found = dispatcher.registry().find(id, name, type);
    std::size_t members = 0;
    if (found) {
        for (const ShapeMember& member : found->members) members += member.shape != nullptr;
    }
    return members;
}
