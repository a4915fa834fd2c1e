#pragma once
// The one sink of the program's trace lines. Every folder writes through it, so the window, the
// commands and the tests decide in one place what is shown: the window shows the usual lines,
// a command none unless -v asks, and KEYLUME_DEBUG=hid adds the report traffic everywhere.
#include <functional>
#include <string_view>

namespace trace {

enum class Level {
    Off = 0,
    Info = 1,  // the window's usual lines: connection, opened handles
    Hid = 2,   // every report exchanged with the keyboard
};

// The level KEYLUME_DEBUG asks for: a list of topics separated by commas or spaces in which
// "hid" or "all" appears, in any case, asks for Hid; anything else for nothing.
Level LevelRequested(const char* debugVariable);

// Lines up to `level` are written; KEYLUME_DEBUG as the process started raises it further.
// Before the first call the level is Info.
void SetLevel(Level level);
bool On(Level level);

using Writer = std::function<void(Level level, std::string_view line)>;
// Sends the lines to writer; an empty writer goes back to the default: Info lines to standard
// output, Hid lines to standard error.
void SetWriter(Writer writer);

// One line (without its newline), written whole even when threads trace at once.
void Line(Level level, std::string_view text);
[[gnu::format(printf, 2, 3)]] void Printf(Level level, const char* format, ...);

}  // namespace trace
