#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "device/FeaturePacket.h"
#include "device/HidBackend.h"

// A backend that passes every report to another one and then spoils the answers as a byte
// script says: each get report takes one operation from the script (keep, fail, wrong echo,
// overwritten or truncated data, a number planted at some position, data filled with one
// byte, a refused write). Once the script runs out the answers pass unchanged.
class FuzzedAnswers : public HidBackend {
public:
    FuzzedAnswers(std::shared_ptr<HidBackend> inner, std::vector<std::uint8_t> script)
        : inner_(std::move(inner)), script_(std::move(script)) {}

    std::vector<std::string> Enumerate() override { return inner_->Enumerate(); }
    HidHandle Open(const std::string& path, HidAccess access) override {
        return inner_->Open(path, access);
    }
    bool SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) override;
    bool GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) override;
    bool Close(HidHandle handle) override { return inner_->Close(handle); }
    std::unique_ptr<HidMonitor> Monitor() override { return inner_->Monitor(); }

private:
    // Applies one operation of the script; false when the answer is to be lost.
    bool Spoil(FeaturePacket& answer);
    std::uint8_t Byte();
    std::uint16_t Word();
    bool Exhausted() const { return next_ >= script_.size(); }

    std::shared_ptr<HidBackend> inner_;
    std::mutex lock_;
    std::vector<std::uint8_t> script_;
    std::size_t next_ = 0;
    bool refuseNextWrite_ = false;
};
