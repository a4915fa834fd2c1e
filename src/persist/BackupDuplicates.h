#pragma once
// A JSON text that gives one member twice: the parser would keep the last silently, and a user
// who edited the file would not learn which one counts.
#include <optional>
#include <string_view>

#include "persist/BackupHeader.h"

namespace persist {

// The first member named twice in one object, as a refusal naming its place; none when every
// name is unique or the text is not JSON (the parse says so).
std::optional<BackupError> FirstDoubledMember(std::string_view text);

}  // namespace persist
