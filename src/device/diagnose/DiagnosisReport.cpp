#include "device/diagnose/DiagnosisReport.h"

#include <cstdio>
#include <string>

#include "device/HidPath.h"
#include "device/diagnose/JsonWriter.h"
#include "device/diagnose/NodePermission.h"

namespace {

std::string Hex4(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(value) & 0xFFFF);
    return text;
}

std::string OpenText(const OpenResult& result) {
    if (!result.attempted) return "not tried";
    return result.ok ? "ok" : "failed: " + result.failure.Describe();
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count) {
    std::string text;
    for (std::size_t i = from; i < bytes.size() && i < from + count; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", bytes[i]);
        if (!text.empty()) text += ' ';
        text += hex;
    }
    return text;
}

std::string InterfaceRole(int interfaceNumber) {
    if (interfaceNumber == kKeyboardInterface) return "interface 3 (configuration)";
    if (interfaceNumber < 0) return "interface unknown";
    return "interface " + std::to_string(interfaceNumber);
}

void WriteInterfaces(std::ostream& out, const SystemFacts& facts) {
    out << "HID interfaces of vendor " << Hex4(kKeyboardVendorId) << ":";
    if (facts.interfaces.empty()) out << " none";
    out << "\n";
    for (const HidInterfaceFacts& f : facts.interfaces) {
        out << "  " << (f.node.empty() ? "(emulated)" : f.node) << "  product " << Hex4(f.productId)
            << " (" << ProductKind(f.productId) << "), " << InterfaceRole(f.interfaceNumber)
            << "\n";
        out << "    path " << f.path << "\n";
        out << "    read: " << OpenText(f.read) << "; write: " << OpenText(f.write) << "\n";
        if (facts.emulated) continue;
        out << "    " << DescribeNodeAccess(f.access, facts.user) << "\n";
        out << "    udev: ";
        if (!f.udevKnown)
            out << "the node is not in udev's database";
        else
            out << "tag uaccess " << (f.uaccessTag ? "present" : "absent") << ", seat " << f.seat;
        out << "\n";
    }
}

void WriteRules(std::ostream& out, const RuleSearch& rules) {
    out << "Access rule: ";
    if (rules.files.empty()) out << "no rule file mentions vendor " << Hex4(kKeyboardVendorId);
    for (std::size_t i = 0; i < rules.files.size(); ++i) {
        const RuleFileFacts& r = rules.files[i];
        out << (i > 0 ? "; " : "") << r.path << " ("
            << (r.grantsUaccess ? "gives the node to the local session"
                : r.setsAccess  ? "sets owner group or mode"
                                : "grants nothing")
            << ")";
    }
    out << "\n  searched:";
    for (const std::string& folder : rules.folders) out << " " << folder;
    out << "\n";
}

void WriteSessions(std::ostream& out, const UserFacts& user) {
    out << "User: " << (user.name.empty() ? "(no name)" : user.name) << " (uid " << user.uid
        << ")\n";
    out << "Sessions: ";
    if (!user.sessionsKnown) {
        out << "unknown (logind's session files could not be read)\n";
    } else if (user.sessions.empty()) {
        out << "none for this user\n";
    } else {
        for (std::size_t i = 0; i < user.sessions.size(); ++i) {
            const SessionFacts& s = user.sessions[i];
            out << (i > 0 ? "; " : "") << s.id << " " << (s.type.empty() ? "?" : s.type) << " "
                << (s.seat.empty() ? "without seat" : "on " + s.seat) << ", "
                << (s.active ? "active" : "inactive") << ", " << (s.remote ? "remote" : "local");
        }
        out << "\n";
    }
    out << "This program runs in "
        << (user.currentSession.empty() ? "no session" : "session " + user.currentSession) << "\n";
}

void WriteInfo(std::ostream& out, const InfoFacts& info) {
    out << "Information report: ";
    if (!info.attempted) {
        out << "not read (the configuration interface did not open)\n";
        return;
    }
    if (!info.ok) {
        out << "failed: " << info.failure.Describe() << "\n";
        return;
    }
    out << info.bytes.size() << " bytes, " << info.profiles << " profiles, " << info.modes
        << " modes, " << info.macroSlots << " macro slots\n";
    for (std::size_t i = 0; i < info.bytes.size(); i += 16)
        out << "  " << HexBytes(info.bytes, i, 16) << "\n";
}

void JsonOpen(JsonWriter& json, const char* key, const OpenResult& result) {
    json.Key(key);
    json.BeginObject();
    json.Key("attempted");
    json.Bool(result.attempted);
    json.Key("ok");
    json.Bool(result.ok);
    if (result.attempted && !result.ok) {
        json.Key("errno");
        json.Number(result.failure.error);
        json.Key("reason");
        json.String(result.failure.Describe());
    }
    json.EndObject();
}

void JsonMember(JsonWriter& json, const char* key, std::string_view text) {
    json.Key(key);
    json.String(text);
}

void JsonMember(JsonWriter& json, const char* key, long long value) {
    json.Key(key);
    json.Number(value);
}

void JsonMember(JsonWriter& json, const char* key, bool value) {
    json.Key(key);
    json.Bool(value);
}

// key: an array of one object per item, its members written by members(item).
template <class Items, class Members>
void JsonObjects(JsonWriter& json, const char* key, const Items& items, Members members) {
    json.Key(key);
    json.BeginArray();
    for (const auto& item : items) {
        json.BeginObject();
        members(item);
        json.EndObject();
    }
    json.EndArray();
}

void JsonAccess(JsonWriter& json, const HidInterfaceFacts& f, const UserFacts& user) {
    json.Key("access");
    json.BeginObject();
    JsonMember(json, "known", f.access.known);
    JsonMember(json, "owner", static_cast<long long>(f.access.owner));
    JsonMember(json, "ownerName", f.access.ownerName);
    JsonMember(json, "group", static_cast<long long>(f.access.group));
    JsonMember(json, "groupName", f.access.groupName);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", f.access.mode & 07777);
    JsonMember(json, "mode", std::string_view(mode));
    JsonMember(json, "aclKnown", f.access.aclKnown);
    static const char* const tags[] = {"user_obj", "user", "group_obj", "group", "mask", "other"};
    JsonObjects(json, "acl", f.access.acl, [&](const AclEntry& e) {
        JsonMember(json, "tag", std::string_view(tags[static_cast<int>(e.tag)]));
        JsonMember(json, "id", static_cast<long long>(e.id));
        JsonMember(json, "perms", static_cast<long long>(e.perms));
    });
    JsonMember(json, "granted", static_cast<long long>(GrantedPermissions(f.access, user)));
    json.EndObject();
    JsonMember(json, "udevKnown", f.udevKnown);
    JsonMember(json, "uaccessTag", f.uaccessTag);
    JsonMember(json, "seat", f.seat);
}

void JsonInterfaces(JsonWriter& json, const SystemFacts& facts) {
    JsonObjects(json, "interfaces", facts.interfaces, [&](const HidInterfaceFacts& f) {
        JsonMember(json, "node", f.node);
        JsonMember(json, "path", f.path);
        JsonMember(json, "vendorId", Hex4(f.vendorId));
        JsonMember(json, "productId", Hex4(f.productId));
        JsonMember(json, "product", std::string_view(ProductKind(f.productId)));
        JsonMember(json, "interface", static_cast<long long>(f.interfaceNumber));
        JsonOpen(json, "read", f.read);
        JsonOpen(json, "write", f.write);
        if (!facts.emulated) JsonAccess(json, f, facts.user);
    });
}

void JsonRulesAndUser(JsonWriter& json, const SystemFacts& facts) {
    json.Key("rules");
    json.BeginObject();
    json.Key("searched");
    json.BeginArray();
    for (const std::string& folder : facts.rules.folders) json.String(folder);
    json.EndArray();
    JsonObjects(json, "files", facts.rules.files, [&](const RuleFileFacts& r) {
        JsonMember(json, "path", r.path);
        JsonMember(json, "uaccess", r.grantsUaccess);
        JsonMember(json, "setsAccess", r.setsAccess);
    });
    json.EndObject();
    json.Key("user");
    json.BeginObject();
    JsonMember(json, "uid", static_cast<long long>(facts.user.uid));
    JsonMember(json, "name", facts.user.name);
    JsonMember(json, "sessionsKnown", facts.user.sessionsKnown);
    JsonMember(json, "currentSession", facts.user.currentSession);
    JsonObjects(json, "sessions", facts.user.sessions, [&](const SessionFacts& s) {
        JsonMember(json, "id", s.id);
        JsonMember(json, "seat", s.seat);
        JsonMember(json, "active", s.active);
        JsonMember(json, "remote", s.remote);
        JsonMember(json, "type", s.type);
    });
    json.EndObject();
}

void JsonInfo(JsonWriter& json, const InfoFacts& info) {
    json.Key("information");
    json.BeginObject();
    JsonMember(json, "attempted", info.attempted);
    JsonMember(json, "ok", info.ok);
    if (info.attempted && !info.ok) JsonMember(json, "reason", info.failure.Describe());
    if (info.ok) {
        JsonMember(json, "bytes", HexBytes(info.bytes, 0, info.bytes.size()));
        JsonMember(json, "profiles", static_cast<long long>(info.profiles));
        JsonMember(json, "modes", static_cast<long long>(info.modes));
        JsonMember(json, "macroSlots", static_cast<long long>(info.macroSlots));
    }
    json.EndObject();
}

}  // namespace

void WriteHumanReport(std::ostream& out, const SystemFacts& facts, const Diagnosis& diagnosis) {
    if (facts.emulated)
        out << "Emulated keyboard: no hidraw nodes, udev rules or sessions take part.\n";
    WriteInterfaces(out, facts);
    if (!facts.emulated) {
        WriteRules(out, facts.rules);
        WriteSessions(out, facts.user);
    }
    WriteInfo(out, facts.info);
    out << "\nVerdict: " << diagnosis.summary << "\n";
    out << "Fix: " << diagnosis.fix << "\n";
}

void WriteJsonReport(std::ostream& out, const SystemFacts& facts, const Diagnosis& diagnosis) {
    JsonWriter json(out);
    json.BeginObject();
    JsonMember(json, "emulated", facts.emulated);
    JsonInterfaces(json, facts);
    if (!facts.emulated) JsonRulesAndUser(json, facts);
    JsonInfo(json, facts.info);
    JsonMember(json, "verdict", std::string_view(VerdictName(diagnosis.verdict)));
    JsonMember(json, "summary", diagnosis.summary);
    JsonMember(json, "fix", diagnosis.fix);
    JsonMember(json, "exitCode", static_cast<long long>(diagnosis.ExitCode()));
    json.EndObject();
    out << "\n";
}
