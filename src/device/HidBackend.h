#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/HidFailure.h"

// Handle of an opened HID interface as a backend hands it out. 0 means "not open";
// kInvalidHidHandle is what a failed open leaves behind, and every report on it fails.
using HidHandle = std::int64_t;
inline constexpr HidHandle kInvalidHidHandle = -1;

// True for a handle that reports can use: neither "not open" nor a failed open.
inline constexpr bool IsOpenHidHandle(HidHandle handle) {
    return handle != 0 && handle != kInvalidHidHandle;
}

enum class HidAccess { Read, Write };

// One arrival or removal of a HID interface, named by its interface path.
struct HidEvent {
    enum class Kind { Arrival, Removal };
    Kind kind = Kind::Arrival;
    std::string path;

    friend bool operator==(const HidEvent&, const HidEvent&) = default;
};

// Hot-plug notifications. Fd() becomes readable while events wait, so a UI thread can poll it
// together with its other sources and then drain Next() until it returns nothing.
class HidMonitor {
public:
    virtual ~HidMonitor() = default;
    virtual int Fd() const = 0;
    // Never blocks.
    virtual std::optional<HidEvent> Next() = 0;
};

// The operating-system side of the HID class: the only place that differs between the real
// keyboard and the emulated one. Implementations are safe to call from several threads, and a
// report running on a handle while it is closed fails instead of touching freed state.
class HidBackend {
public:
    HidBackend();
    virtual ~HidBackend() = default;

    // Paths of the present HID interfaces in enumeration order. An empty entry stands for an
    // interface whose details could not be read.
    virtual std::vector<std::string> Enumerate() = 0;

    // A new handle (never 0) or kInvalidHidHandle.
    virtual HidHandle Open(const std::string& path, HidAccess access) = 0;

    // Whole feature reports, report id first.
    virtual bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) = 0;
    virtual bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) = 0;

    // Cancels what runs on the handle and releases it; false for a handle that is not open.
    virtual bool Close(HidHandle handle) = 0;

    // nullptr when hot-plug notifications are not available.
    virtual std::unique_ptr<HidMonitor> Monitor() = 0;

    // Why the calling thread's last failed Open or report on this backend failed; empty when
    // the backend did not say. Callers forget the old reason before the call they ask about,
    // so a backend that gives no reason never lends an old one.
    HidFailure LastFailure() const;
    void ForgetFailure() const;

protected:
    // Kept per thread: a report failing on the dispatcher thread does not overwrite the reason
    // an open on the window thread is about to read.
    void NoteFailure(HidFailure failure) const;

private:
    std::uint64_t serial_;  // tells this backend's notes from another's on the same thread
};
