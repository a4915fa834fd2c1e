#include "persist/BackupHeader.h"

#include <cstdio>
#include <limits>

#include "persist/BackupJson.h"
#include "persist/BackupText.h"

namespace persist {

using namespace backup_json;

namespace {

using Refusal = BackupRefusal;

// Product ids are written as "0x1514" so they read as they are printed everywhere else.
std::uint16_t ProductId(const Json& value, const std::string& path) {
    const std::string* text = value.get_ptr<const std::string*>();
    unsigned parsed = 0;
    int used = 0;
    if (text == nullptr || !IsHexAfter(*text, "0x", 4) ||
        std::sscanf(text->c_str(), "0x%4x%n", &parsed, &used) != 1 || used != 6) {
        throw Refusal{{path, "not a product id like \"0x1514\""}};
    }
    return static_cast<std::uint16_t>(parsed);
}

}  // namespace

BackupHeader ReadHeader(const Json& root) {
    Object(root, "");
    const Json& format = Member(root, "", "format");
    if (!format.is_string() || format.get<std::string>() != kBackupFormat) {
        throw Refusal{{"/format", "not a keyboard backup"}};
    }
    const std::int64_t version =
        WholeNumber(Member(root, "", "version"), "/version", 0, std::numeric_limits<int>::max());
    if (version != kBackupVersion) {
        throw Refusal{
            {"/version", std::to_string(version) + ", a version this program does not know"}};
    }
    BackupHeader header;
    std::string place;
    header.productId = ProductId(Renamed(root, "", "productId", "product", place), place);
    const Json& profiles = Object(Member(root, "", "profiles"), "/profiles");
    header.profileCount = static_cast<std::uint16_t>(
        WholeNumber(Member(profiles, "/profiles", "count"), "/profiles/count", 1,
                    std::numeric_limits<std::uint16_t>::max()));
    header.activeProfile = static_cast<std::uint16_t>(WholeNumber(
        Member(profiles, "/profiles", "active"), "/profiles/active", 0, header.profileCount - 1));
    return header;
}

std::string BackupErrorText(const BackupError& error) {
    const std::string place = error.where.size() > 1 ? error.where.substr(1) : "the file";
    return place + " is " + error.what;
}

BackupHeaderResult ReadBackupHeader(std::string_view text) {
    const ParsedBackupText parsed = ParseBackupText(text);
    if (parsed.error) return {std::nullopt, *parsed.error};
    try {
        return {ReadHeader(parsed.root), {}};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.error};
    }
}

std::string ProductIdText(std::uint16_t productId) {
    char product[8];
    std::snprintf(product, sizeof product, "0x%04x", productId);
    return product;
}

std::string WriteBackupHeader(const BackupHeader& header) {
    const Json root = {
        {"format", std::string(kBackupFormat)},
        {"version", kBackupVersion},
        {"productId", ProductIdText(header.productId)},
        {"profiles", {{"count", header.profileCount}, {"active", header.activeProfile}}}};
    return root.dump(2) + "\n";
}

}  // namespace persist
