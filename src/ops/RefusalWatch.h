#pragma once
// A HID backend that passes everything to another one and counts the reports that failed, so a
// command can tell that the keyboard refused it although the keyboard logic stays silent.
#include <atomic>
#include <cstdint>
#include <memory>

#include "device/HidBackend.h"

class RefusalWatch : public HidBackend {
public:
    explicit RefusalWatch(std::shared_ptr<HidBackend> inner) : inner_(std::move(inner)) {}

    std::uint64_t Failures() const { return failures_.load(); }
    HidBackend& Inner() const { return *inner_; }

    std::vector<std::string> Enumerate() override { return inner_->Enumerate(); }
    HidHandle Open(const std::string& path, HidAccess access) override {
        return inner_->Open(path, access);
    }
    bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) override {
        return Count(inner_->SetFeature(handle, report, size));
    }
    bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) override {
        return Count(inner_->GetFeature(handle, report, size));
    }
    bool Close(HidHandle handle) override { return inner_->Close(handle); }
    std::unique_ptr<HidMonitor> Monitor() override { return inner_->Monitor(); }

private:
    bool Count(bool ok) {
        if (!ok) ++failures_;
        return ok;
    }

    std::shared_ptr<HidBackend> inner_;
    std::atomic<std::uint64_t> failures_{0};
};
