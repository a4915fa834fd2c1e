#include "device/diagnose/DiagnosisReport.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "device/HidPath.h"
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

// In the order a reader meets the facts, as the text report has them.
using Json = nlohmann::ordered_json;

Json JsonOpen(const OpenResult& result) {
    Json open = {{"attempted", result.attempted}, {"ok", result.ok}};
    if (result.attempted && !result.ok) {
        open["errno"] = result.failure.error;
        open["reason"] = result.failure.Describe();
    }
    return open;
}

// One object per item, made by object(item).
template <class Items, class Object>
Json JsonObjects(const Items& items, Object object) {
    Json list = Json::array();
    for (const auto& item : items) list.push_back(object(item));
    return list;
}

void JsonAccess(Json& json, const HidInterfaceFacts& f, const UserFacts& user) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", f.access.mode & 07777);
    static const char* const tags[] = {"user_obj", "user", "group_obj", "group", "mask", "other"};
    json["access"] = {{"known", f.access.known},
                      {"owner", f.access.owner},
                      {"ownerName", f.access.ownerName},
                      {"group", f.access.group},
                      {"groupName", f.access.groupName},
                      {"mode", mode},
                      {"aclKnown", f.access.aclKnown},
                      {"acl", JsonObjects(f.access.acl,
                                          [](const AclEntry& e) {
                                              return Json{{"tag", tags[static_cast<int>(e.tag)]},
                                                          {"id", e.id},
                                                          {"perms", e.perms}};
                                          })},
                      {"granted", GrantedPermissions(f.access, user)}};
    json["udevKnown"] = f.udevKnown;
    json["uaccessTag"] = f.uaccessTag;
    json["seat"] = f.seat;
}

Json JsonInterfaces(const SystemFacts& facts) {
    return JsonObjects(facts.interfaces, [&](const HidInterfaceFacts& f) {
        Json json = {{"node", f.node},
                     {"path", f.path},
                     {"vendorId", Hex4(f.vendorId)},
                     {"productId", Hex4(f.productId)},
                     {"product", std::string(ProductKind(f.productId))},
                     {"interface", f.interfaceNumber},
                     {"read", JsonOpen(f.read)},
                     {"write", JsonOpen(f.write)}};
        if (!facts.emulated) JsonAccess(json, f, facts.user);
        return json;
    });
}

void JsonRulesAndUser(Json& json, const SystemFacts& facts) {
    json["rules"] = {{"searched", facts.rules.folders},
                     {"files", JsonObjects(facts.rules.files, [](const RuleFileFacts& r) {
                          return Json{{"path", r.path},
                                      {"uaccess", r.grantsUaccess},
                                      {"setsAccess", r.setsAccess}};
                      })}};
    json["user"] = {{"uid", facts.user.uid},
                    {"name", facts.user.name},
                    {"sessionsKnown", facts.user.sessionsKnown},
                    {"currentSession", facts.user.currentSession},
                    {"sessions", JsonObjects(facts.user.sessions, [](const SessionFacts& s) {
                         return Json{{"id", s.id},
                                     {"seat", s.seat},
                                     {"active", s.active},
                                     {"remote", s.remote},
                                     {"type", s.type}};
                     })}};
}

Json JsonInfo(const InfoFacts& info) {
    Json json = {{"attempted", info.attempted}, {"ok", info.ok}};
    if (info.attempted && !info.ok) json["reason"] = info.failure.Describe();
    if (info.ok) {
        json["bytes"] = HexBytes(info.bytes, 0, info.bytes.size());
        json["profiles"] = info.profiles;
        json["modes"] = info.modes;
        json["macroSlots"] = info.macroSlots;
    }
    return json;
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
    Json json = {{"emulated", facts.emulated}, {"interfaces", JsonInterfaces(facts)}};
    if (!facts.emulated) JsonRulesAndUser(json, facts);
    json["information"] = JsonInfo(facts.info);
    json["verdict"] = std::string(VerdictName(diagnosis.verdict));
    json["summary"] = diagnosis.summary;
    json["fix"] = diagnosis.fix;
    json["exitCode"] = diagnosis.ExitCode();
    // Names and reasons come from the system and need not be UTF-8.
    out << json.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
}
