#pragma once
// What the owner, mode and ACL of a node grant one user, and a sentence that says why.
#include <string>

#include "device/diagnose/SystemFacts.h"

// The permission bits (4 read, 2 write) the node grants the user, by the POSIX ACL check
// order: owner, named user, owning and named groups (through the mask), others. Root gets all.
unsigned GrantedPermissions(const NodeAccess& access, const UserFacts& user);

// "owner root:root, mode 0600, ACL user:1000:rw-; this user (uid 1000) may read and write"
std::string DescribeNodeAccess(const NodeAccess& access, const UserFacts& user);
