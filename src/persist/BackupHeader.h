#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace persist {

inline constexpr std::string_view kBackupFormat = "keylume-keyboard";
inline constexpr int kBackupVersion = 1;

// The part of a keyboard backup that says which keyboard it came from and how its profiles
// stand; a file whose header does not fit the keyboard is refused before anything is sent.
struct BackupHeader {
    std::uint16_t productId = 0;
    std::uint16_t profileCount = 0;
    std::uint16_t activeProfile = 0;

    bool operator==(const BackupHeader&) const = default;
};

// A refusal names the place in the file as a JSON pointer ("/profiles/active") and what is
// wrong there, worded to follow "is" ("99; allowed 0 to 15", "missing \"speed\"").
struct BackupError {
    std::string where;
    std::string what;
};

// What the user reads: "profiles/1/modes/3/speed is 99; allowed 0 to 15".
std::string BackupErrorText(const BackupError& error);

struct BackupHeaderResult {
    std::optional<BackupHeader> header;
    BackupError error;
};

BackupHeaderResult ReadBackupHeader(std::string_view text);
std::string WriteBackupHeader(const BackupHeader& header);
// "0x1514", as the file writes a product id.
std::string ProductIdText(std::uint16_t productId);

}  // namespace persist
