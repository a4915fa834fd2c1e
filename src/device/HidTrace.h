#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "device/FeaturePacket.h"
#include "device/HidFailure.h"

// The report trace, the Hid level of the trace sink (KEYLUME_DEBUG=hid or -v -v): one line per
// feature report on standard error, so a user can show what went to the keyboard and what came
// back.

enum class HidTraceDirection { Set, Get };

// One report as the trace sees it. packet is null for a get that failed: nothing came back.
struct HidTraceEntry {
    std::chrono::system_clock::time_point time;
    HidTraceDirection direction = HidTraceDirection::Set;
    const FeaturePacket* packet = nullptr;
    bool ok = false;
    HidFailure failure;
};

// Whether a KEYLUME_DEBUG value asks for the report trace: a list of topics separated by commas
// or spaces in which "hid" or "all" appears, in any case.
bool HidTraceRequested(const char* value);

// "12:03:04.567 hid set command=0x81 (DeviceInfo query) sub=0 offset=0 length=90 bytes= result=ok"
// with the local time of day. The bytes are the data that count: none for a query request, the
// length's worth otherwise (at most one packet's data).
std::string FormatHidTraceLine(const HidTraceEntry& entry);

// A line of the open trace: "12:03:04.567 hid open read <path> result=failed: ...".
std::string FormatHidOpenLine(std::chrono::system_clock::time_point time, bool write,
                              std::string_view path, bool ok, const HidFailure& failure);

using HidTraceWriter = std::function<void(const std::string& line)>;

// Whether the trace runs: the sink's level, or a writer a test installed.
bool HidTraceOn();
// Sends lines to writer instead of standard error, and switches the trace on; an empty writer
// goes back to the sink's default writer and level.
void SetHidTraceWriter(HidTraceWriter writer);

// Write one line each when the trace runs; cheap when it does not.
void TraceHidReport(HidTraceDirection direction, const FeaturePacket* packet, bool ok,
                    const HidFailure& failure);
void TraceHidOpen(bool write, std::string_view path, bool ok, const HidFailure& failure);
