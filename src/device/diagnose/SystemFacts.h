#pragma once
// What the diagnosis knows about this system: the keyboard's HID interfaces and what the file
// system, udev and logind say about them, the access rule files, the user's sessions and the
// answer to the information report. A reader fills it from the real system or the emulator;
// the verdict and the reports are functions of it alone.
#include <cstdint>
#include <string>
#include <vector>

#include "device/HidFailure.h"

struct OpenResult {
    bool attempted = false;
    bool ok = false;
    HidFailure failure;  // when attempted and not ok
};

// One entry of a POSIX access control list.
struct AclEntry {
    enum class Tag { UserObj, User, GroupObj, Group, Mask, Other };
    Tag tag = Tag::Other;
    unsigned id = 0;     // uid or gid for User and Group
    unsigned perms = 0;  // 4 read, 2 write, 1 execute
    friend bool operator==(const AclEntry&, const AclEntry&) = default;
};

// The node's owner, mode and ACL; known is false when stat failed.
struct NodeAccess {
    bool known = false;
    unsigned owner = 0;
    unsigned group = 0;
    std::string ownerName;
    std::string groupName;
    unsigned mode = 0;  // permission bits
    bool aclKnown = false;
    std::vector<AclEntry> acl;  // empty: the mode bits alone decide
};

struct HidInterfaceFacts {
    std::string node;  // "/dev/hidraw5"; empty for an emulated interface
    std::string path;  // the interface path the program works with
    int vendorId = -1;
    int productId = -1;
    int interfaceNumber = -1;
    NodeAccess access;
    bool udevKnown = false;  // udev's database has the node
    bool uaccessTag = false;
    std::string seat = "seat0";
    OpenResult read;
    OpenResult write;
};

// A rule file that mentions the keyboard's vendor.
struct RuleFileFacts {
    std::string path;
    bool grantsUaccess = false;  // TAG+="uaccess"
    bool setsAccess = false;     // MODE= or GROUP=
};

struct RuleSearch {
    std::vector<std::string> folders;  // searched, in the order udev reads them
    std::vector<RuleFileFacts> files;  // effective files that mention the vendor
};

struct SessionFacts {
    std::string id;
    unsigned uid = 0;
    std::string seat;  // empty for a session without a seat (SSH, cron)
    bool active = false;
    bool remote = false;
    std::string type;  // x11, wayland, tty, unspecified
};

struct UserFacts {
    unsigned uid = 0;
    std::string name;
    std::vector<unsigned> groups;
    bool sessionsKnown = false;          // logind's session files could be read
    std::vector<SessionFacts> sessions;  // of this user
    std::string currentSession;          // the session this program runs in, empty if none
};

// The information report read from the configuration interface.
struct InfoFacts {
    bool attempted = false;
    bool ok = false;
    HidFailure failure;
    std::vector<std::uint8_t> bytes;
    int profiles = 0;
    int modes = 0;
    int macroSlots = 0;
};

struct SystemFacts {
    bool emulated = false;
    std::vector<HidInterfaceFacts> interfaces;  // of the keyboard's vendor only
    RuleSearch rules;
    UserFacts user;
    InfoFacts info;
};
