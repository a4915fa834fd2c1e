#include "device/FeatureTransport.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "device/HidTrace.h"

namespace {

using Report = std::unique_ptr<std::uint8_t[]>;

Report NewReport() {
    return std::make_unique<std::uint8_t[]>(kFeatureReportSize);
}

// The reason a report on handle failed: the link's open failure for a handle that never
// opened, whatever the backend noted otherwise.
HidFailure ReportFailure(DeviceLink& link, HidHandle handle) {
    if (handle == 0) return {0, "the keyboard is not open"};
    if (handle == kInvalidHidHandle) {
        HidFailure failure = link.OpenFailure();
        failure.text = "opening failed: " + failure.Describe();
        failure.error = 0;
        return failure;
    }
    return link.Backend().LastFailure();
}

// One exchange under the transport lock; a fresh buffer per report.
bool PutReport(DeviceLink& link, const FeaturePacket& packet) {
    Report report = NewReport();
    packet.ToReport(report.get());
    std::lock_guard lock(link.TransportLock());
    HidHandle handle = link.WriteHandle();
    link.Backend().ForgetFailure();
    const bool ok = IsOpenHidHandle(handle) &&
                    link.Backend().SetFeature(handle, report.get(), kFeatureReportSize);
    if (HidTraceOn())
        TraceHidReport(HidTraceDirection::Set, &packet, ok,
                       ok ? HidFailure{} : ReportFailure(link, handle));
    return ok;
}

bool GetReport(DeviceLink& link, FeaturePacket& packet) {
    Report report = NewReport();
    {
        std::lock_guard lock(link.TransportLock());
        HidHandle handle = link.ReadHandle();
        link.Backend().ForgetFailure();
        if (!IsOpenHidHandle(handle) ||
            !link.Backend().GetFeature(handle, report.get(), kFeatureReportSize)) {
            if (HidTraceOn())
                TraceHidReport(HidTraceDirection::Get, nullptr, false, ReportFailure(link, handle));
            return false;
        }
    }
    packet = FeaturePacket::FromReport(report.get());
    TraceHidReport(HidTraceDirection::Get, &packet, true, {});
    return true;
}

std::uint16_t ChunkLength(int length, int total) {
    return static_cast<std::uint16_t>(std::min<int>(length - total, kFeatureDataSize));
}

}  // namespace

int SendFeature(DeviceLink& link, int command, int sub, std::uint32_t offset, const void* data,
                int length) {
    if (length < 0) return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    auto packet = std::make_unique<FeaturePacket>();
    packet->offset = offset;
    packet->command = static_cast<std::uint8_t>(command);
    packet->sub = static_cast<std::uint8_t>(sub);
    int total = 0;
    do {
        std::uint16_t n = ChunkLength(length, total);
        packet->length = n;
        if (bytes != nullptr && n > 0) std::memcpy(packet->data, bytes + total, n);
        if (!PutReport(link, *packet)) return total;
        packet->offset += n;
        total += n;
    } while (total < length);
    return total;
}

int QueryFeature(DeviceLink& link, int command, int sub, void* dest, int length) {
    if (length < 0 || (dest == nullptr && length > 0)) return 0;
    auto* out = static_cast<std::uint8_t*>(dest);
    const auto expected = static_cast<std::uint8_t>(command | kQueryFlag);
    auto request = std::make_unique<FeaturePacket>();
    auto answer = std::make_unique<FeaturePacket>();
    std::uint32_t position = 0;
    int total = 0;
    do {
        *request = FeaturePacket{};
        request->offset = position;
        request->length = ChunkLength(length, total);
        request->command = expected;
        request->sub = static_cast<std::uint8_t>(sub);
        if (!PutReport(link, *request)) return total;
        if (!GetReport(link, *answer)) return total;
        if (answer->command != expected || answer->offset != position ||
            static_cast<int>(answer->sub) != sub) {
            return total;
        }
        std::uint16_t n = ChunkLength(length, total);
        if (n > 0) std::memcpy(out + total, answer->data, n);
        position += n;
        total += n;
    } while (total < length);
    return total;
}
