#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "device/HidBackend.h"
#include "device/HidDiscovery.h"
#include "device/HidPath.h"

// The open connection to the keyboard's feature interface: a handle opened for reading, one
// opened for writing, the open lock (opening and closing) and the transport lock (one report
// exchange). The two locks are never held together.
class DeviceLink {
public:
    // printOpens false leaves the open lines out of the trace, for a link opened only to look.
    explicit DeviceLink(std::shared_ptr<HidBackend> backend, bool printOpens = true);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // (Re)opens both handles on path and returns how many of the two opened (0, 1 or 2).
    int Open(const std::string& path);
    // Cancels what runs on the handles and closes them. A handle that failed to open keeps its
    // invalid value until the next Open.
    void Close();

    // Recursive, so a caller may hold it around FindHidInterfaces and Open.
    std::recursive_mutex& OpenLock() { return openLock_; }
    std::mutex& TransportLock() { return transportLock_; }

    HidHandle ReadHandle() const { return readHandle_.load(); }
    HidHandle WriteHandle() const { return writeHandle_.load(); }
    HidBackend& Backend() const { return *backend_; }

    // Why the last Open did not open both handles (the first reason seen); empty after an Open
    // that opened both, and before any Open.
    HidFailure OpenFailure() const;

private:
    // Returns why the open failed, or nothing when it succeeded.
    std::optional<HidFailure> Reopen(std::atomic<HidHandle>& handle, const std::string& path,
                                     HidAccess access);
    void Release(std::atomic<HidHandle>& handle);

    std::shared_ptr<HidBackend> backend_;
    bool printOpens_;
    std::recursive_mutex openLock_;
    std::mutex transportLock_;
    // Read without a lock by transfers on the dispatcher thread while the window thread closes.
    std::atomic<HidHandle> readHandle_{0};
    std::atomic<HidHandle> writeHandle_{0};
    mutable std::mutex failureMutex_;  // the window thread asks while transfers may trace
    HidFailure openFailure_;
};
