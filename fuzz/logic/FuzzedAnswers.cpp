#include "FuzzedAnswers.h"

#include <algorithm>
#include <cstring>

namespace {

enum Operation : std::uint8_t {
    Keep,
    Fail,
    WrongEcho,
    Overwrite,
    PlantWord,
    Truncate,
    Replace,
    Fill,
    RefuseNextWrite,
    OperationCount
};

}  // namespace

std::uint8_t FuzzedAnswers::Byte() {
    return Exhausted() ? 0 : script_[next_++];
}

std::uint16_t FuzzedAnswers::Word() {
    const std::uint8_t low = Byte();
    return static_cast<std::uint16_t>(low | Byte() << 8);
}

bool FuzzedAnswers::SetFeature(HidHandle handle, const std::uint8_t* report, std::size_t size) {
    {
        std::lock_guard guard(lock_);
        if (refuseNextWrite_) {
            refuseNextWrite_ = false;
            return false;
        }
    }
    return inner_->SetFeature(handle, report, size);
}

bool FuzzedAnswers::GetFeature(HidHandle handle, std::uint8_t* report, std::size_t size) {
    if (!inner_->GetFeature(handle, report, size)) return false;
    if (size < kFeatureReportSize) return true;
    std::lock_guard guard(lock_);
    if (Exhausted()) return true;
    FeaturePacket answer = FeaturePacket::FromReport(report);
    if (!Spoil(answer)) return false;
    answer.ToReport(report);
    return true;
}

bool FuzzedAnswers::Spoil(FeaturePacket& answer) {
    switch (Byte() % OperationCount) {
        case Fail:
            return false;
        case WrongEcho:
            switch (Byte() % 3) {
                case 0:
                    answer.command = Byte();
                    break;
                case 1:
                    answer.offset = Word();
                    break;
                default:
                    answer.sub = Byte();
                    break;
            }
            break;
        case Overwrite: {
            const std::size_t at = Word() % kFeatureDataSize;
            const std::size_t n = std::min<std::size_t>(Byte(), kFeatureDataSize - at);
            for (std::size_t i = 0; i < n; ++i) answer.data[at + i] = Byte();
            break;
        }
        case PlantWord: {
            const std::size_t at = Word() % (kFeatureDataSize - 1);
            const std::uint16_t value = Word();
            answer.data[at] = static_cast<std::uint8_t>(value);
            answer.data[at + 1] = static_cast<std::uint8_t>(value >> 8);
            break;
        }
        case Truncate: {
            const std::size_t keep = Word() % kFeatureDataSize;
            std::memset(answer.data + keep, 0, kFeatureDataSize - keep);
            answer.length = static_cast<std::uint16_t>(keep);
            break;
        }
        case Replace: {
            const std::size_t n =
                std::min<std::size_t>(Word() % (kFeatureDataSize + 1), script_.size() - next_);
            std::memset(answer.data, 0, kFeatureDataSize);
            std::memcpy(answer.data, script_.data() + next_, n);
            next_ += n;
            break;
        }
        case Fill:
            std::memset(answer.data, Byte(), kFeatureDataSize);
            break;
        case RefuseNextWrite:
            refuseNextWrite_ = true;
            break;
        default:
            break;
    }
    return true;
}
