#include "device/HidBackend.h"

#include <atomic>

namespace {

struct ThreadNote {
    std::uint64_t backend = 0;
    HidFailure failure;
};

thread_local ThreadNote lastNote;

std::uint64_t NextSerial() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1);
}

}  // namespace

HidBackend::HidBackend() : serial_(NextSerial()) {}

HidFailure HidBackend::LastFailure() const {
    return lastNote.backend == serial_ ? lastNote.failure : HidFailure{};
}

void HidBackend::ForgetFailure() const {
    if (lastNote.backend == serial_) lastNote = {};
}

void HidBackend::NoteFailure(HidFailure failure) const {
    lastNote = {serial_, std::move(failure)};
}
