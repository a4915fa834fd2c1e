#include "device/diagnose/SystemReader.h"

#include <fcntl.h>
#include <grp.h>
#include <libudev.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "device/HidPath.h"
#include "device/HidrawIdentity.h"
#include "device/diagnose/AclXattr.h"
#include "device/diagnose/RuleFiles.h"
#include "device/diagnose/SessionFiles.h"

namespace {

// The name of a user or group through the reentrant lookup, empty when there is none.
template <class Entry, class Id, class Lookup>
std::string NameOf(Id id, Lookup lookup, char* Entry::*name) {
    Entry entry{};
    Entry* found = nullptr;
    char buffer[4096];
    return lookup(id, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr
               ? found->*name
               : std::string();
}

std::string UserName(uid_t uid) {
    return NameOf(uid, getpwuid_r, &passwd::pw_name);
}

std::string GroupName(gid_t gid) {
    return NameOf(gid, getgrgid_r, &group::gr_name);
}

bool HasTag(udev_device* device, const char* tag) {
    for (udev_list_entry* entry = udev_device_get_tags_list_entry(device); entry != nullptr;
         entry = udev_list_entry_get_next(entry)) {
        if (std::string_view(udev_list_entry_get_name(entry)) == tag) return true;
    }
    return false;
}

// One hidraw device of the keyboard's vendor, or nothing for any other.
std::optional<HidInterfaceFacts> InterfaceOf(udev_device* device) {
    const char* devpath = udev_device_get_devpath(device);
    const char* devnode = udev_device_get_devnode(device);
    std::optional<std::string> path = HidrawPathFromDevpath(devpath != nullptr ? devpath : "");
    HidPathInfo info;
    if (!path || !ParseHidPath(*path, info) || info.vendorId != kKeyboardVendorId)
        return std::nullopt;
    HidInterfaceFacts facts;
    facts.path = *path;
    facts.node = devnode != nullptr ? devnode : "/dev/" + std::string(HidPathInstance(*path));
    facts.vendorId = info.vendorId;
    facts.productId = info.productId;
    facts.interfaceNumber = info.interfaceNumber;
    facts.udevKnown = udev_device_get_is_initialized(device) > 0;
    facts.uaccessTag = HasTag(device, "uaccess");
    if (const char* seat = udev_device_get_property_value(device, "ID_SEAT")) facts.seat = seat;
    facts.access = ReadNodeAccess(facts.node);
    facts.read = TryOpen(facts.node, false);
    facts.write = TryOpen(facts.node, true);
    return facts;
}

std::vector<HidInterfaceFacts> ReadInterfaces() {
    std::vector<HidInterfaceFacts> interfaces;
    std::unique_ptr<udev, decltype(&udev_unref)> context(udev_new(), udev_unref);
    if (!context) return interfaces;
    std::unique_ptr<udev_enumerate, decltype(&udev_enumerate_unref)> scan(
        udev_enumerate_new(context.get()), udev_enumerate_unref);
    if (!scan || udev_enumerate_add_match_subsystem(scan.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(scan.get()) < 0) {
        return interfaces;
    }
    for (udev_list_entry* entry = udev_enumerate_get_list_entry(scan.get()); entry != nullptr;
         entry = udev_list_entry_get_next(entry)) {
        std::unique_ptr<udev_device, decltype(&udev_device_unref)> device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)),
            udev_device_unref);
        if (!device) continue;
        if (std::optional<HidInterfaceFacts> facts = InterfaceOf(device.get()))
            interfaces.push_back(std::move(*facts));
    }
    return interfaces;
}

}  // namespace

SystemLocations SystemLocations::Default() {
    return {DefaultRuleFolders(), "/run/systemd/sessions"};
}

NodeAccess ReadNodeAccess(const std::string& node) {
    NodeAccess access;
    struct stat status {};
    if (stat(node.c_str(), &status) != 0) return access;
    access.known = true;
    access.owner = status.st_uid;
    access.group = status.st_gid;
    access.ownerName = UserName(status.st_uid);
    access.groupName = GroupName(status.st_gid);
    access.mode = status.st_mode & 07777;
    std::uint8_t blob[1024];
    const ssize_t size = getxattr(node.c_str(), "system.posix_acl_access", blob, sizeof blob);
    if (size >= 0) {
        std::optional<std::vector<AclEntry>> acl =
            ParseAclXattr(blob, static_cast<std::size_t>(size));
        access.aclKnown = acl.has_value();
        if (acl) access.acl = std::move(*acl);
    } else {
        // No attribute, or a file system without ACLs: the mode bits decide.
        access.aclKnown = errno == ENODATA || errno == ENOTSUP;
    }
    return access;
}

OpenResult TryOpen(const std::string& node, bool write) {
    const int fd = open(node.c_str(), (write ? O_WRONLY : O_RDONLY) | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {true, false, HidFailure::FromErrno(errno)};
    close(fd);
    return {true, true, {}};
}

UserFacts ReadUserFacts(const std::string& sessionFolder) {
    UserFacts user;
    user.uid = getuid();
    user.name = UserName(user.uid);
    user.groups.push_back(getgid());
    const int count = getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(count));
        const int read = getgroups(count, groups.data());
        for (int i = 0; i < read; ++i) user.groups.push_back(groups[static_cast<std::size_t>(i)]);
    }
    std::optional<std::vector<SessionFacts>> sessions = ReadSessions(sessionFolder, user.uid);
    user.sessionsKnown = sessions.has_value();
    if (sessions) user.sessions = std::move(*sessions);
    if (const char* current = std::getenv("XDG_SESSION_ID")) user.currentSession = current;
    return user;
}

SystemFacts ReadSystemFacts(const SystemLocations& locations) {
    SystemFacts facts;
    facts.interfaces = ReadInterfaces();
    facts.rules = ScanRuleFolders(locations.ruleFolders);
    facts.user = ReadUserFacts(locations.sessionFolder);
    return facts;
}
