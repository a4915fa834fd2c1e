// The kernel's binary form of an access ACL.
#include <gtest/gtest.h>

#include <cstdint>

#include "device/diagnose/AclXattr.h"

namespace {

using Tag = AclEntry::Tag;
using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Bytes Blob(std::uint32_t version, std::initializer_list<std::array<std::uint32_t, 3>> entries) {
    Bytes bytes;
    Put(bytes, version, 4);
    for (const auto& [tag, perms, id] : entries) {
        Put(bytes, tag, 2);
        Put(bytes, perms, 2);
        Put(bytes, id, 4);
    }
    return bytes;
}

TEST(AclXattr, ReadsWhatUdevAccessLeaves) {
    // user::rw- user:1000:rw- group::--- mask::rw- other::---
    const Bytes blob = Blob(2, {{0x01, 6, 0xFFFFFFFF},
                                {0x02, 6, 1000},
                                {0x04, 0, 0xFFFFFFFF},
                                {0x10, 6, 0xFFFFFFFF},
                                {0x20, 0, 0xFFFFFFFF}});
    const auto acl = ParseAclXattr(blob.data(), blob.size());
    ASSERT_TRUE(acl.has_value());
    EXPECT_EQ(*acl, (std::vector<AclEntry>{{Tag::UserObj, 0, 6},
                                           {Tag::User, 1000, 6},
                                           {Tag::GroupObj, 0, 0},
                                           {Tag::Mask, 0, 6},
                                           {Tag::Other, 0, 0}}));
}

TEST(AclXattr, RefusesMalformedBlobs) {
    struct Case {
        const char* name;
        Bytes blob;
    };
    Bytes truncated = Blob(2, {{0x01, 6, 0}});
    truncated.pop_back();
    const Case cases[] = {
        {"empty", {}},
        {"short header", {2, 0}},
        {"version 1", Blob(1, {{0x01, 6, 0}})},
        {"truncated entry", truncated},
        {"unknown tag", Blob(2, {{0x40, 6, 0}})},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(ParseAclXattr(c.blob.data(), c.blob.size()).has_value()) << c.name;
    EXPECT_FALSE(ParseAclXattr(nullptr, 12).has_value());
}

TEST(AclXattr, HeaderAloneIsAnEmptyListAndHighBitsOfPermsAreDropped) {
    const Bytes header = Blob(2, {});
    EXPECT_EQ(ParseAclXattr(header.data(), header.size()), std::vector<AclEntry>{});
    const Bytes odd = Blob(2, {{0x08, 0xFFFF, 104}});
    EXPECT_EQ(ParseAclXattr(odd.data(), odd.size()), (std::vector<AclEntry>{{Tag::Group, 104, 7}}));
}

}  // namespace
