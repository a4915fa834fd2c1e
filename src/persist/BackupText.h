#pragma once
// A backup's text read into JSON in one pass, within bounds that keep any text from costing more
// than a real backup does. A member given twice is refused too: the parser would keep the last
// silently, and a user who edited the file would not learn which one counts.
#include <cstddef>
#include <optional>
#include <string_view>

#include "persist/BackupJson.h"

namespace persist {

// A whole keyboard with a macro on every key is a few hundred kilobytes; a longer text is
// refused before it is read.
inline constexpr std::size_t kMaxBackupTextBytes = 1024 * 1024;
// A backup nests six levels deep.
inline constexpr std::size_t kMaxBackupDepth = 16;

struct ParsedBackupText {
    backup_json::Json root;
    std::optional<BackupError> error;  // the refusal, naming its place; root is then partial
};

ParsedBackupText ParseBackupText(std::string_view text);

}  // namespace persist
