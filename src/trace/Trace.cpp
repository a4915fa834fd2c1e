#include "trace/Trace.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace trace {
namespace {

struct Sink {
    const Level fromEnvironment = LevelRequested(std::getenv("KEYLUME_DEBUG"));
    std::atomic<int> level{static_cast<int>(std::max(Level::Info, fromEnvironment))};
    std::mutex mutex;  // one line at a time, and the writer
    Writer writer;
};

Sink& TheSink() {
    static Sink sink;
    return sink;
}

}  // namespace

Level LevelRequested(const char* debugVariable) {
    if (debugVariable == nullptr) return Level::Off;
    const std::string_view text(debugVariable);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(", ", start);
        if (end == std::string_view::npos) end = text.size();
        std::string topic;
        for (char c : text.substr(start, end - start))
            topic += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (topic == "hid" || topic == "all") return Level::Hid;
        start = end + 1;
    }
    return Level::Off;
}

void SetLevel(Level level) {
    Sink& sink = TheSink();
    sink.level = static_cast<int>(std::max(level, sink.fromEnvironment));
}

bool On(Level level) {
    return level != Level::Off && static_cast<int>(level) <= TheSink().level.load();
}

void SetWriter(Writer writer) {
    Sink& sink = TheSink();
    std::lock_guard lock(sink.mutex);
    sink.writer = std::move(writer);
}

void Line(Level level, std::string_view text) {
    if (!On(level)) return;
    Sink& sink = TheSink();
    std::lock_guard lock(sink.mutex);
    if (sink.writer) return sink.writer(level, text);
    std::FILE* stream = level == Level::Info ? stdout : stderr;
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void Printf(Level level, const char* format, ...) {
    if (!On(level)) return;
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list again;
    va_copy(again, arguments);
    const int size = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::vector<char> text(static_cast<std::size_t>(std::max(size, 0)) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    Line(level, std::string_view(text.data(), text.size() - 1));
}

}  // namespace trace
