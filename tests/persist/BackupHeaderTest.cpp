#include "persist/BackupHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using persist::BackupHeader;
using persist::ReadBackupHeader;
using persist::WriteBackupHeader;

TEST(BackupHeaderTest, WrittenHeaderReadsBackEqual) {
    const BackupHeader cases[] = {
        {0x1514, 1, 0}, {0x1514, 3, 2}, {0xffff, 65535, 65534}, {0, 1, 0}};
    for (const BackupHeader& header : cases) {
        const auto result = ReadBackupHeader(WriteBackupHeader(header));
        ASSERT_TRUE(result.header.has_value()) << result.error.where << ": " << result.error.what;
        EXPECT_EQ(*result.header, header);
    }
}

TEST(BackupHeaderTest, WritesProductIdAsHex) {
    EXPECT_NE(WriteBackupHeader({0x1514, 3, 1}).find("\"productId\": \"0x1514\""),
              std::string::npos);
}

struct BadFile {
    const char* name;
    std::string text;
    const char* where;
    const char* whatContains;
};

std::string Header(const std::string& format, const std::string& version,
                   const std::string& product, const std::string& profiles) {
    return "{\"format\": " + format + ", \"version\": " + version + ", \"product\": " + product +
           ", \"profiles\": " + profiles + "}";
}

const std::string kGoodProfiles = R"({"count": 3, "active": 1})";

std::string WithFormat(const std::string& format) {
    return Header(format, "1", "\"0x1514\"", kGoodProfiles);
}
std::string WithVersion(const std::string& version) {
    return Header("\"keylume-keyboard\"", version, "\"0x1514\"", kGoodProfiles);
}
std::string WithProduct(const std::string& product) {
    return Header("\"keylume-keyboard\"", "1", product, kGoodProfiles);
}
std::string WithProfiles(const std::string& profiles) {
    return Header("\"keylume-keyboard\"", "1", "\"0x1514\"", profiles);
}

TEST(BackupHeaderTest, BadFilesAreRefusedNamingThePlace) {
    const std::string good = WithFormat("\"keylume-keyboard\"");
    const BadFile cases[] = {
        {"empty", "", "/", "not JSON"},
        {"truncated", good.substr(0, good.size() / 2), "/", "cut short"},
        {"array root", "[1, 2]", "/", "not an object"},
        {"version twice", WithVersion("1, \"version\": 2"), "/version", "twice"},
        {"no format", R"({"version": 1})", "/", "missing \"format\""},
        {"foreign format", WithFormat("\"other\""), "/format", "not a keyboard backup"},
        {"format not text", WithFormat("7"), "/format", "not a keyboard backup"},
        {"unknown version", WithVersion("2"), "/version",
         "2, a version this program does not know"},
        {"version as text", WithVersion("\"1\""), "/version", "not a whole number"},
        {"version fraction", WithVersion("1.5"), "/version", "not a whole number"},
        {"negative version", WithVersion("-1"), "/version", "-1; allowed 0 to"},
        {"product as number", WithProduct("5396"), "/product", "product id"},
        {"product too long", WithProduct("\"0x15140\""), "/product", "product id"},
        {"product not hex", WithProduct("\"0x15zz\""), "/product", "product id"},
        {"product signed", WithProduct("\"0x-001\""), "/product", "product id"},
        {"product spaced", WithProduct("\"0x 151\""), "/product", "product id"},
        {"profiles not object", WithProfiles("3"), "/profiles", "not an object"},
        {"no profile count", WithProfiles(R"({"active": 0})"), "/profiles", "missing \"count\""},
        {"zero profiles", WithProfiles(R"({"count": 0, "active": 0})"), "/profiles/count",
         "0; allowed 1 to 65535"},
        {"too many profiles", WithProfiles(R"({"count": 65536, "active": 0})"), "/profiles/count",
         "65536; allowed 1 to 65535"},
        {"active past count", WithProfiles(R"({"count": 3, "active": 3})"), "/profiles/active",
         "3; allowed 0 to 2"},
        {"huge active", WithProfiles(R"({"count": 3, "active": 18446744073709551615})"),
         "/profiles/active", "18446744073709551615; allowed 0 to 2"},
    };
    for (const BadFile& bad : cases) {
        SCOPED_TRACE(bad.name);
        const auto result = ReadBackupHeader(bad.text);
        EXPECT_FALSE(result.header.has_value());
        EXPECT_EQ(result.error.where, bad.where);
        EXPECT_NE(result.error.what.find(bad.whatContains), std::string::npos) << result.error.what;
    }
}

}  // namespace
