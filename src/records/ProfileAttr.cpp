#include "records/ProfileAttr.h"

#include <string>

_profile_attr_t _profile_attr_t::numbered(int profile) {
    _profile_attr_t attr;
    attr.name.set("P" + std::to_string(profile));
    return attr;
}
