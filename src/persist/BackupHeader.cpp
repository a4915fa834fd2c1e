#include "persist/BackupHeader.h"

#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>

namespace persist {
namespace {

using Json = nlohmann::json;

struct Refusal {
    BackupError error;
};

const Json& Member(const Json& object, const std::string& path, const char* name) {
    const auto it = object.find(name);
    if (it == object.end()) {
        throw Refusal{{path.empty() ? "/" : path, std::string("missing \"") + name + "\""}};
    }
    return *it;
}

std::int64_t WholeNumber(const Json& value, const std::string& path, std::int64_t low,
                         std::int64_t high) {
    if (!value.is_number_integer()) {
        throw Refusal{{path, "not a whole number"}};
    }
    const std::int64_t number =
        value.is_number_unsigned()
            ? static_cast<std::int64_t>(std::min<std::uint64_t>(
                  value.get<std::uint64_t>(), std::numeric_limits<std::int64_t>::max()))
            : value.get<std::int64_t>();
    if (number < low || number > high) {
        throw Refusal{{path, "out of range " + std::to_string(low) + ".." + std::to_string(high)}};
    }
    return number;
}

const Json& Object(const Json& value, const std::string& path) {
    if (!value.is_object()) {
        throw Refusal{{path.empty() ? "/" : path, "not an object"}};
    }
    return value;
}

// Product ids are written as "0x1514" so they read as they are printed everywhere else.
std::uint16_t ProductId(const Json& value, const std::string& path) {
    const std::string* text = value.get_ptr<const std::string*>();
    unsigned parsed = 0;
    int used = 0;
    if (text == nullptr || text->size() != 6 ||
        std::sscanf(text->c_str(), "0x%4x%n", &parsed, &used) != 1 || used != 6) {
        throw Refusal{{path, "not a product id like \"0x1514\""}};
    }
    return static_cast<std::uint16_t>(parsed);
}

BackupHeader Header(const Json& root) {
    Object(root, "");
    const Json& format = Member(root, "", "format");
    if (!format.is_string() || format.get<std::string>() != kBackupFormat) {
        throw Refusal{{"/format", "not a keyboard backup"}};
    }
    const std::int64_t version =
        WholeNumber(Member(root, "", "version"), "/version", 0, std::numeric_limits<int>::max());
    if (version != kBackupVersion) {
        throw Refusal{{"/version", "unknown version " + std::to_string(version)}};
    }
    BackupHeader header;
    header.productId = ProductId(Member(root, "", "product"), "/product");
    const Json& profiles = Object(Member(root, "", "profiles"), "/profiles");
    header.profileCount = static_cast<std::uint16_t>(
        WholeNumber(Member(profiles, "/profiles", "count"), "/profiles/count", 1,
                    std::numeric_limits<std::uint16_t>::max()));
    header.activeProfile = static_cast<std::uint16_t>(WholeNumber(
        Member(profiles, "/profiles", "active"), "/profiles/active", 0, header.profileCount - 1));
    return header;
}

}  // namespace

BackupHeaderResult ReadBackupHeader(std::string_view text) {
    const Json root = Json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded()) {
        return {std::nullopt, {"/", "not JSON or cut short"}};
    }
    try {
        return {Header(root), {}};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.error};
    }
}

std::string WriteBackupHeader(const BackupHeader& header) {
    char product[8];
    std::snprintf(product, sizeof product, "0x%04x", header.productId);
    const Json root = {
        {"format", std::string(kBackupFormat)},
        {"version", kBackupVersion},
        {"product", product},
        {"profiles", {{"count", header.profileCount}, {"active", header.activeProfile}}}};
    return root.dump(2) + "\n";
}

}  // namespace persist
