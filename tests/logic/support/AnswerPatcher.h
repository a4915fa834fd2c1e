#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "device/FeaturePacket.h"
#include "device/HidBackend.h"

// A backend that passes everything to another one and lets a test rewrite the answers, for
// values the emulated keyboard would never hold.
class AnswerPatcher : public HidBackend {
public:
    using Patch = std::function<void(FeaturePacket& answer)>;

    explicit AnswerPatcher(std::shared_ptr<HidBackend> inner) : inner_(std::move(inner)) {}

    void SetPatch(Patch patch) {
        std::lock_guard guard(lock_);
        patch_ = std::move(patch);
    }

    std::vector<std::string> Enumerate() override { return inner_->Enumerate(); }
    HidHandle Open(const std::string& path, HidAccess access) override {
        return inner_->Open(path, access);
    }
    bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) override {
        return inner_->SetFeature(handle, report, size);
    }
    bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) override {
        if (!inner_->GetFeature(handle, report, size)) return false;
        std::lock_guard guard(lock_);
        if (patch_ && size >= kFeatureReportSize) {
            FeaturePacket answer = FeaturePacket::FromReport(report);
            patch_(answer);
            answer.ToReport(report);
        }
        return true;
    }
    bool Close(HidHandle handle) override { return inner_->Close(handle); }
    std::unique_ptr<HidMonitor> Monitor() override { return inner_->Monitor(); }

private:
    std::shared_ptr<HidBackend> inner_;
    std::mutex lock_;
    Patch patch_;
};
