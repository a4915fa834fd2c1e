#pragma once
// Descriptions of systems for the diagnosis tests: a healthy desktop with the keyboard plugged
// in, the access rule installed and the user at the seat, and the usual ways it goes wrong.
#include <cerrno>

#include "device/HidPath.h"
#include "device/diagnose/SystemFacts.h"

namespace fakesystem {

inline constexpr unsigned kUser = 1000;
inline constexpr unsigned kUserGroup = 1000;
inline constexpr unsigned kInputGroup = 104;

inline HidInterfaceFacts Interface(int productId, int interfaceNumber, int hidraw) {
    HidInterfaceFacts f;
    const std::string name = "hidraw" + std::to_string(hidraw);
    f.node = "/dev/" + name;
    f.path = MakeHidInterfacePath(kKeyboardVendorId, productId, interfaceNumber, -1, name);
    f.vendorId = kKeyboardVendorId;
    f.productId = productId;
    f.interfaceNumber = interfaceNumber;
    f.access = {true, 0, 0, "root", "root", 0600, true, {}};
    f.udevKnown = true;
    f.read = f.write = {true, false, HidFailure::FromErrno(EACCES)};
    return f;
}

// The configuration interface as the rule leaves it for the user at the seat.
inline HidInterfaceFacts OpenConfigurationInterface(int productId = kKeyboardProductId) {
    HidInterfaceFacts f = Interface(productId, kKeyboardInterface, 5);
    f.uaccessTag = true;
    f.access.acl = {{AclEntry::Tag::UserObj, 0, 6},
                    {AclEntry::Tag::User, kUser, 6},
                    {AclEntry::Tag::GroupObj, 0, 0},
                    {AclEntry::Tag::Mask, 0, 6},
                    {AclEntry::Tag::Other, 0, 0}};
    f.read = f.write = {true, true, {}};
    return f;
}

inline SystemFacts Healthy() {
    SystemFacts s;
    s.interfaces = {Interface(kKeyboardProductId, 0, 3), Interface(kKeyboardProductId, 1, 4),
                    OpenConfigurationInterface()};
    s.rules.folders = {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d"};
    s.rules.files = {{"/usr/lib/udev/rules.d/60-keylume.rules", true, false}};
    s.user = {kUser, "alice", {kUserGroup, kInputGroup}, true, {}, "2"};
    s.user.sessions = {{"2", kUser, "seat0", true, false, "wayland"}};
    s.info = {true, true, {}, std::vector<std::uint8_t>(90, 0), 3, 8, 16};
    return s;
}

// The configuration interface refuses this user.
inline SystemFacts Refused(SystemFacts s, int error = EACCES) {
    HidInterfaceFacts& config = s.interfaces.back();
    config.read = config.write = {true, false, HidFailure::FromErrno(error)};
    config.access.acl.clear();
    s.info = {};
    return s;
}

}  // namespace fakesystem
