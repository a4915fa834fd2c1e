// Reads arbitrary bytes as an ACL attribute, a logind session file and a udev rule file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device/diagnose/AclXattr.h"
#include "device/diagnose/RuleFiles.h"
#include "device/diagnose/SessionFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (auto acl = ParseAclXattr(data, size)) {
        // Every entry came from a whole 8-byte record after the header.
        if (size != 4 + acl->size() * 8) __builtin_trap();
        for (const AclEntry& entry : *acl)
            if (entry.perms > 7) __builtin_trap();
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ParseSessionFile("1", text);
    if (auto rule = AnalyseRuleText("fuzz.rules", text))
        if (rule->path != "fuzz.rules") __builtin_trap();
    return 0;
}
