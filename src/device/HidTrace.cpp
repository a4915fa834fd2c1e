#include "device/HidTrace.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iterator>

#include "device/DeviceCommand.h"
#include "trace/Trace.h"

namespace {

const char* CommandName(std::uint8_t code) {
    static const char* const names[] = {
        "DeviceInfo",    "DeviceControl", "ModeAttributes", "ProfileMode", "ModeRegister",
        "ActiveProfile", "KeyColours",    "ColourSet",      "KeyCodes",    "MacroSlot"};
    const int index = (code & ~kQueryFlag) - DeviceInfo;
    return index >= 0 && index < static_cast<int>(std::size(names)) ? names[index] : "unknown";
}

std::string TimeOfDay(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()) % 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>((millis.count() + 1000) % 1000));
    return text;
}

std::string Result(bool ok, const HidFailure& failure) {
    return ok ? "result=ok" : "result=failed: " + failure.Describe();
}

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += ' ';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0xF];
    }
    return text;
}

}  // namespace

bool HidTraceRequested(const char* value) {
    return trace::LevelRequested(value) == trace::Level::Hid;
}

std::string FormatHidTraceLine(const HidTraceEntry& entry) {
    const bool set = entry.direction == HidTraceDirection::Set;
    std::string line = TimeOfDay(entry.time) + (set ? " hid set" : " hid get");
    if (const FeaturePacket* packet = entry.packet) {
        const bool query = (packet->command & kQueryFlag) != 0;
        char header[128];
        std::snprintf(header, sizeof header, " command=0x%02x (%s%s) sub=%u offset=%u length=%u",
                      packet->command, CommandName(packet->command),
                      query ? (set ? " query" : " answer") : "", packet->sub, packet->offset,
                      packet->length);
        line += header;
        const std::size_t count =
            set && query ? 0 : std::min<std::size_t>(packet->length, kFeatureDataSize);
        line += " bytes=" + Hex(packet->data, count);
    }
    return line + " " + Result(entry.ok, entry.failure);
}

std::string FormatHidOpenLine(std::chrono::system_clock::time_point time, bool write,
                              std::string_view path, bool ok, const HidFailure& failure) {
    return TimeOfDay(time) + (write ? " hid open write " : " hid open read ") + std::string(path) +
           " " + Result(ok, failure);
}

bool HidTraceOn() {
    return trace::On(trace::Level::Hid);
}

void SetHidTraceWriter(HidTraceWriter writer) {
    const bool installed = static_cast<bool>(writer);
    if (installed)
        trace::SetWriter([writer = std::move(writer)](trace::Level level, std::string_view line) {
            if (level == trace::Level::Hid) writer(std::string(line));
        });
    else
        trace::SetWriter({});
    trace::SetLevel(installed ? trace::Level::Hid : trace::Level::Info);
}

void TraceHidReport(HidTraceDirection direction, const FeaturePacket* packet, bool ok,
                    const HidFailure& failure) {
    if (!HidTraceOn()) return;
    trace::Line(trace::Level::Hid, FormatHidTraceLine({std::chrono::system_clock::now(), direction,
                                                       packet, ok, failure}));
}

void TraceHidOpen(bool write, std::string_view path, bool ok, const HidFailure& failure) {
    if (!HidTraceOn()) return;
    trace::Line(trace::Level::Hid,
                FormatHidOpenLine(std::chrono::system_clock::now(), write, path, ok, failure));
}
