#include "device/DeviceLink.h"

#include <cstdio>

DeviceLink::DeviceLink(std::shared_ptr<HidBackend> backend) : backend_(std::move(backend)) {}

DeviceLink::~DeviceLink() {
    Close();
}

int DeviceLink::Open(const std::string& path) {
    std::lock_guard lock(openLock_);
    Reopen(writeHandle_, path, HidAccess::Write);
    Reopen(readHandle_, path, HidAccess::Read);
    return (writeHandle_ != kInvalidHidHandle) + (readHandle_ != kInvalidHidHandle);
}

void DeviceLink::Close() {
    std::lock_guard lock(openLock_);
    Release(readHandle_);
    Release(writeHandle_);
}

void DeviceLink::Reopen(std::atomic<HidHandle>& handle, const std::string& path, HidAccess access) {
    HidHandle old = handle.exchange(0);
    if (old != 0 && old != kInvalidHidHandle) backend_->Close(old);
    HidHandle opened = backend_->Open(path, access);
    if (opened == 0) opened = kInvalidHidHandle;
    handle = opened;
    std::printf("open dev: %08x\n", static_cast<unsigned>(opened));
    std::fflush(stdout);
}

void DeviceLink::Release(std::atomic<HidHandle>& handle) {
    // Closing the invalid value fails, so a half-failed handle stays until the next Open.
    HidHandle current = handle.load();
    if (current == 0 || current == kInvalidHidHandle) return;
    if (backend_->Close(current)) handle.compare_exchange_strong(current, 0);
}
