#include "device/diagnose/NodePermission.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr unsigned kRead = 4;
constexpr unsigned kWrite = 2;

bool InGroup(const UserFacts& user, unsigned gid) {
    return std::find(user.groups.begin(), user.groups.end(), gid) != user.groups.end();
}

unsigned FromAcl(const NodeAccess& access, const UserFacts& user) {
    unsigned mask = 7;
    for (const AclEntry& e : access.acl)
        if (e.tag == AclEntry::Tag::Mask) mask = e.perms;
    if (access.owner == user.uid) {
        for (const AclEntry& e : access.acl)
            if (e.tag == AclEntry::Tag::UserObj) return e.perms;
    }
    for (const AclEntry& e : access.acl)
        if (e.tag == AclEntry::Tag::User && e.id == user.uid) return e.perms & mask;
    bool groupMatched = false;
    unsigned groupPerms = 0;
    for (const AclEntry& e : access.acl) {
        const bool owning = e.tag == AclEntry::Tag::GroupObj && InGroup(user, access.group);
        const bool named = e.tag == AclEntry::Tag::Group && InGroup(user, e.id);
        if (owning || named) {
            groupMatched = true;
            groupPerms |= e.perms;
        }
    }
    if (groupMatched) return groupPerms & mask;
    for (const AclEntry& e : access.acl)
        if (e.tag == AclEntry::Tag::Other) return e.perms;
    return 0;
}

std::string PermText(unsigned perms) {
    std::string text = "---";
    if (perms & kRead) text[0] = 'r';
    if (perms & kWrite) text[1] = 'w';
    if (perms & 1) text[2] = 'x';
    return text;
}

std::string AclText(const std::vector<AclEntry>& acl) {
    std::string text;
    for (const AclEntry& e : acl) {
        if (!text.empty()) text += ',';
        switch (e.tag) {
            case AclEntry::Tag::UserObj:
                text += "user::";
                break;
            case AclEntry::Tag::User:
                text += "user:" + std::to_string(e.id) + ":";
                break;
            case AclEntry::Tag::GroupObj:
                text += "group::";
                break;
            case AclEntry::Tag::Group:
                text += "group:" + std::to_string(e.id) + ":";
                break;
            case AclEntry::Tag::Mask:
                text += "mask::";
                break;
            case AclEntry::Tag::Other:
                text += "other::";
                break;
        }
        text += PermText(e.perms);
    }
    return text;
}

std::string Name(const std::string& name, unsigned id) {
    return name.empty() ? std::to_string(id) : name;
}

}  // namespace

unsigned GrantedPermissions(const NodeAccess& access, const UserFacts& user) {
    if (user.uid == 0) return kRead | kWrite;
    if (access.aclKnown && !access.acl.empty()) return FromAcl(access, user) & (kRead | kWrite);
    unsigned perms = access.mode & 7;
    if (access.owner == user.uid)
        perms = (access.mode >> 6) & 7;
    else if (InGroup(user, access.group))
        perms = (access.mode >> 3) & 7;
    return perms & (kRead | kWrite);
}

std::string DescribeNodeAccess(const NodeAccess& access, const UserFacts& user) {
    if (!access.known) return "owner and mode unknown (the node could not be examined)";
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", access.mode & 07777);
    std::string text = "owner " + Name(access.ownerName, access.owner) + ":" +
                       Name(access.groupName, access.group) + ", mode " + mode;
    if (!access.aclKnown)
        text += ", ACL unknown";
    else if (access.acl.empty())
        text += ", no ACL";
    else
        text += ", ACL " + AclText(access.acl);
    const unsigned granted = GrantedPermissions(access, user);
    text += "; this user (uid " + std::to_string(user.uid) + ") may ";
    if ((granted & (kRead | kWrite)) == (kRead | kWrite))
        text += "read and write";
    else if (granted & kRead)
        text += "read only";
    else if (granted & kWrite)
        text += "write only";
    else
        text += "neither read nor write";
    return text;
}
