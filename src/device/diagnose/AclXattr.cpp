#include "device/diagnose/AclXattr.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kVersion = 2;
constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kEntrySize = 8;
constexpr unsigned kNoId = 0xFFFFFFFFu;

std::uint32_t Load(const std::uint8_t* bytes, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

std::optional<AclEntry::Tag> TagOf(std::uint32_t code) {
    switch (code) {
        case 0x01:
            return AclEntry::Tag::UserObj;
        case 0x02:
            return AclEntry::Tag::User;
        case 0x04:
            return AclEntry::Tag::GroupObj;
        case 0x08:
            return AclEntry::Tag::Group;
        case 0x10:
            return AclEntry::Tag::Mask;
        case 0x20:
            return AclEntry::Tag::Other;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<std::vector<AclEntry>> ParseAclXattr(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (bytes == nullptr || size < kHeaderSize || (size - kHeaderSize) % kEntrySize != 0 ||
        Load(bytes, 4) != kVersion) {
        return std::nullopt;
    }
    std::vector<AclEntry> entries;
    for (std::size_t at = kHeaderSize; at < size; at += kEntrySize) {
        std::optional<AclEntry::Tag> tag = TagOf(Load(bytes + at, 2));
        if (!tag) return std::nullopt;
        const std::uint32_t id = Load(bytes + at + 4, 4);
        entries.push_back({*tag, id == kNoId ? 0u : id, Load(bytes + at + 2, 2) & 7u});
    }
    return entries;
}
