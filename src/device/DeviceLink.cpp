#include "device/DeviceLink.h"

#include "device/HidTrace.h"
#include "trace/Trace.h"

DeviceLink::DeviceLink(std::shared_ptr<HidBackend> backend, bool printOpens)
    : backend_(std::move(backend)), printOpens_(printOpens) {}

DeviceLink::~DeviceLink() {
    Close();
}

int DeviceLink::Open(const std::string& path) {
    std::lock_guard lock(openLock_);
    std::optional<HidFailure> writeFailure = Reopen(writeHandle_, path, HidAccess::Write);
    std::optional<HidFailure> readFailure = Reopen(readHandle_, path, HidAccess::Read);
    {
        std::lock_guard failureLock(failureMutex_);
        openFailure_ = writeFailure ? *writeFailure : readFailure.value_or(HidFailure{});
        // A failed open whose backend gave no reason still counts as a failure.
        if ((writeFailure || readFailure) && openFailure_.Empty())
            openFailure_.text = "the system gave no reason";
    }
    return (writeHandle_ != kInvalidHidHandle) + (readHandle_ != kInvalidHidHandle);
}

void DeviceLink::Close() {
    std::lock_guard lock(openLock_);
    Release(readHandle_);
    Release(writeHandle_);
}

HidFailure DeviceLink::OpenFailure() const {
    std::lock_guard lock(failureMutex_);
    return openFailure_;
}

std::optional<HidFailure> DeviceLink::Reopen(std::atomic<HidHandle>& handle,
                                             const std::string& path, HidAccess access) {
    HidHandle old = handle.exchange(0);
    if (IsOpenHidHandle(old)) backend_->Close(old);
    backend_->ForgetFailure();
    HidHandle opened = backend_->Open(path, access);
    if (opened == 0) opened = kInvalidHidHandle;
    std::optional<HidFailure> failure;
    if (opened == kInvalidHidHandle) failure = backend_->LastFailure();
    handle = opened;
    if (printOpens_)
        trace::Printf(trace::Level::Info, "open dev: %08x", static_cast<unsigned>(opened));
    TraceHidOpen(access == HidAccess::Write, path, !failure, failure.value_or(HidFailure{}));
    return failure;
}

void DeviceLink::Release(std::atomic<HidHandle>& handle) {
    // Closing the invalid value fails, so a half-failed handle stays until the next Open.
    HidHandle current = handle.load();
    if (!IsOpenHidHandle(current)) return;
    if (backend_->Close(current)) handle.compare_exchange_strong(current, 0);
}
