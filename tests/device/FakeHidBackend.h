#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "device/FeaturePacket.h"
#include "device/HidBackend.h"

// A scripted backend: a fixed interface list, opens that succeed or fail on demand, every set
// report recorded, and get reports answered by a script.
class FakeHidBackend : public HidBackend {
public:
    std::vector<std::string> paths;
    bool refuseRead = false;
    bool refuseWrite = false;
    int failSetReport = -1;  // index of the set report that fails, -1 for none
    bool throwOnReport = false;
    HidFailure refusal;  // noted when an open is refused

    // Answers a get report from the last request sent; nothing makes the get fail.
    std::function<std::optional<FeaturePacket>(const FeaturePacket& request)> responder;

    std::vector<FeaturePacket> sentPackets;
    std::vector<std::vector<std::uint8_t>> sentReports;
    std::vector<HidHandle> opened;
    std::vector<HidHandle> closed;
    int getCalls = 0;

    std::vector<std::string> Enumerate() override { return paths; }

    HidHandle Open(const std::string&, HidAccess access) override {
        bool refused = access == HidAccess::Read ? refuseRead : refuseWrite;
        if (refused) {
            if (!refusal.Empty()) NoteFailure(refusal);
            return kInvalidHidHandle;
        }
        opened.push_back(nextHandle_++);
        return opened.back();
    }

    bool SetFeature(HidHandle, const std::uint8_t* report, std::size_t size) override {
        if (throwOnReport) throw std::runtime_error("driver failure");
        sentReports.emplace_back(report, report + size);
        sentPackets.push_back(FeaturePacket::FromReport(report));
        return static_cast<int>(sentPackets.size()) - 1 != failSetReport;
    }

    bool GetFeature(HidHandle, std::uint8_t* report, std::size_t) override {
        if (throwOnReport) throw std::runtime_error("driver failure");
        ++getCalls;
        if (!responder || sentPackets.empty()) return false;
        std::optional<FeaturePacket> answer = responder(sentPackets.back());
        if (!answer) return false;
        answer->ToReport(report);
        return true;
    }

    bool Close(HidHandle handle) override {
        closed.push_back(handle);
        return true;
    }

    std::unique_ptr<HidMonitor> Monitor() override { return nullptr; }

    // A responder that echoes the request's header and fills the data with fill(offset + i).
    void EchoWith(std::function<std::uint8_t(std::size_t)> fill) {
        responder = [fill](const FeaturePacket& request) {
            FeaturePacket answer = request;
            for (std::size_t i = 0; i < kFeatureDataSize; ++i)
                answer.data[i] = fill(request.offset + i);
            return std::optional<FeaturePacket>(answer);
        };
    }

private:
    HidHandle nextHandle_ = 0x40;
};
