// What a node's owner, mode and ACL grant a user.
#include <gtest/gtest.h>

#include "FakeSystem.h"
#include "device/diagnose/NodePermission.h"

namespace {

using namespace fakesystem;
using Tag = AclEntry::Tag;

UserFacts User(unsigned uid = kUser) {
    UserFacts u;
    u.uid = uid;
    u.groups = {kUserGroup, kInputGroup};
    return u;
}

NodeAccess Node(unsigned owner, unsigned group, unsigned mode, std::vector<AclEntry> acl = {}) {
    return {true, owner, group, "", "", mode, true, std::move(acl)};
}

TEST(GrantedPermissions, FollowsTheCheckOrder) {
    struct Case {
        const char* name;
        NodeAccess access;
        UserFacts user;
        unsigned granted;
    };
    const std::vector<AclEntry> uaccess = {{Tag::UserObj, 0, 6},
                                           {Tag::User, kUser, 6},
                                           {Tag::GroupObj, 0, 0},
                                           {Tag::Mask, 0, 6},
                                           {Tag::Other, 0, 0}};
    const std::vector<AclEntry> masked = {{Tag::UserObj, 0, 6},
                                          {Tag::User, kUser, 6},
                                          {Tag::GroupObj, 0, 0},
                                          {Tag::Mask, 0, 4},
                                          {Tag::Other, 0, 0}};
    const std::vector<AclEntry> namedGroup = {{Tag::UserObj, 0, 6},
                                              {Tag::GroupObj, 0, 0},
                                              {Tag::Group, kInputGroup, 6},
                                              {Tag::Mask, 0, 6},
                                              {Tag::Other, 0, 4}};
    const Case cases[] = {
        {"root owns 0600, user", Node(0, 0, 0600), User(), 0},
        {"root itself", Node(0, 0, 0600), User(0), 6},
        {"user owns 0600", Node(kUser, 0, 0600), User(), 6},
        {"group input 0660", Node(0, kInputGroup, 0660), User(), 6},
        {"group 0640", Node(0, kInputGroup, 0640), User(), 4},
        {"others 0604", Node(0, 0, 0604), User(), 4},
        {"owner bits rule out others", Node(kUser, 0, 0066), User(), 0},
        {"uaccess entry", Node(0, 0, 0660, uaccess), User(), 6},
        {"uaccess entry for another user", Node(0, 0, 0660, uaccess), User(1001), 0},
        {"mask limits the named user", Node(0, 0, 0640, masked), User(), 4},
        {"named group", Node(0, 0, 0664, namedGroup), User(), 6},
        {"named group not ours: others", Node(0, 0, 0664, namedGroup),
         [] {
             UserFacts u = User(1001);
             u.groups = {1001};
             return u;
         }(),
         4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GrantedPermissions(c.access, c.user), c.granted) << c.name;
}

TEST(DescribeNodeAccess, SaysOwnerModeAclAndTheOutcome) {
    NodeAccess access = Node(0, 0, 0600,
                             {{Tag::UserObj, 0, 6},
                              {Tag::User, kUser, 6},
                              {Tag::GroupObj, 0, 0},
                              {Tag::Mask, 0, 6},
                              {Tag::Other, 0, 0}});
    access.ownerName = "root";
    EXPECT_EQ(DescribeNodeAccess(access, User()),
              "owner root:0, mode 0600, ACL user::rw-,user:1000:rw-,group::---,mask::rw-,"
              "other::---; this user (uid 1000) may read and write");
    EXPECT_EQ(DescribeNodeAccess(Node(0, 0, 0604), User()),
              "owner 0:0, mode 0604, no ACL; this user (uid 1000) may read only");
    NodeAccess unknownAcl = Node(0, 0, 0600);
    unknownAcl.aclKnown = false;
    EXPECT_EQ(DescribeNodeAccess(unknownAcl, User()),
              "owner 0:0, mode 0600, ACL unknown; this user (uid 1000) may neither read nor "
              "write");
    EXPECT_EQ(DescribeNodeAccess(NodeAccess{}, User()),
              "owner and mode unknown (the node could not be examined)");
}

}  // namespace
