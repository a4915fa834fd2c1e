#pragma once
// The access ACL as the kernel stores it in the "system.posix_acl_access" attribute: a 4-byte
// version (2), then 8-byte entries of tag (u16), permissions (u16) and id (u32), little-endian.
// Read without libacl, which would be one more library for one attribute.
#include <cstddef>
#include <optional>
#include <vector>

#include "device/diagnose/SystemFacts.h"

// nullopt for a blob of the wrong version, size or tag.
std::optional<std::vector<AclEntry>> ParseAclXattr(const void* data, std::size_t size);
