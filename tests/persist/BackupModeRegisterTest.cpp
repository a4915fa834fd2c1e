#include "persist/BackupModeRegister.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using persist::ReadModeRegister;
using persist::WriteModeRegister;
using persist::backup_json::BackupRefusal;
using persist::backup_json::Json;

_reg_mode_t Register(std::uint8_t settings) {
    _reg_mode_t reg;
    reg.foregroundBrightness = 200;
    reg.backgroundBrightness = 7;
    reg.settings = settings;
    reg.foreground[0] = 0xFF;
    reg.foreground[1] = 0x80;
    reg.foreground[2] = 0x01;
    reg.background[2] = 0xAB;
    return reg;
}

// Every settings byte, reserved bit included, comes back byte for byte.
TEST(BackupModeRegisterTest, EverySettingsByteReadsBackExactly) {
    for (unsigned settings = 0; settings < 256; ++settings) {
        const _reg_mode_t reg = Register(static_cast<std::uint8_t>(settings));
        const _reg_mode_t back = ReadModeRegister(WriteModeRegister(reg), "/m");
        EXPECT_EQ(std::memcmp(&reg, &back, sizeof reg), 0) << "settings " << settings;
    }
}

TEST(BackupModeRegisterTest, WritesReadableValues) {
    const Json written = WriteModeRegister(Register(0x80 | 0x20 | 9));
    EXPECT_EQ(written["direction"], "up");
    EXPECT_EQ(written["speed"], 9);
    EXPECT_EQ(written["autoColour"], true);
    EXPECT_EQ(written["reservedBit"], false);
    EXPECT_EQ(written["colour"], "#FF8001");
    EXPECT_EQ(written["backgroundColour"], "#0000AB");
    EXPECT_EQ(written["brightness"], 200);
}

// Files written before the settings had one name each still restore.
TEST(BackupModeRegisterTest, ReadsTheNamesOlderFilesWrote) {
    const Json old = Json::parse(R"({"foregroundBrightness": 200, "backgroundBrightness": 7,
        "speed": 9, "direction": "up", "autoForeground": true, "reservedBit": false,
        "foreground": "#ff8001", "background": "#0000AB"})");
    const _reg_mode_t expected = Register(0x80 | 0x20 | 9);
    const _reg_mode_t read = ReadModeRegister(old, "/m");
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0);
    Json both = old;
    both["brightness"] = 1;
    EXPECT_THROW(ReadModeRegister(both, "/m"), BackupRefusal);
}

struct BadField {
    const char* field;
    Json value;
    const char* whatContains;
};

TEST(BackupModeRegisterTest, BadFieldsAreRefusedNamingThePlace) {
    const BadField cases[] = {
        {"brightness", 256, "256; allowed 0 to 255"},
        {"backgroundBrightness", -1, "-1; allowed 0 to 255"},
        {"backgroundBrightness", "7", "not a whole number"},
        {"speed", 16, "16; allowed 0 to 15"},
        {"direction", "sideways", "not one of"},
        {"direction", 2, "not one of"},
        {"autoColour", 1, "not true or false"},
        {"reservedBit", "false", "not true or false"},
        {"colour", "#FF80", "not a colour"},
        {"colour", "FF8001", "not a colour"},
        {"backgroundColour", "#GG0000", "not a colour"},
        {"backgroundColour", "#-1-1-1", "not a colour"},
        {"backgroundColour", "# 1 2 3", "not a colour"},
        {"backgroundColour", 0xFF0000, "not a colour"},
    };
    for (const BadField& bad : cases) {
        SCOPED_TRACE(std::string(bad.field) + " = " + bad.value.dump());
        Json value = WriteModeRegister(Register(3));
        value[bad.field] = bad.value;
        try {
            ReadModeRegister(value, "/profiles/0/modes/2");
            ADD_FAILURE() << "accepted";
        } catch (const BackupRefusal& refusal) {
            EXPECT_EQ(refusal.error.where, std::string("/profiles/0/modes/2/") + bad.field);
            EXPECT_NE(refusal.error.what.find(bad.whatContains), std::string::npos)
                << refusal.error.what;
        }
    }
}

TEST(BackupModeRegisterTest, MissingFieldAndWrongTypeNameTheRegister) {
    Json value = WriteModeRegister(Register(0));
    value.erase("speed");
    for (const Json& bad : {value, Json::array(), Json("text")}) {
        SCOPED_TRACE(bad.dump());
        try {
            ReadModeRegister(bad, "/m");
            ADD_FAILURE() << "accepted";
        } catch (const BackupRefusal& refusal) {
            EXPECT_EQ(refusal.error.where, "/m");
        }
    }
}

}  // namespace
