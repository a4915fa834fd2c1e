#include "logic/KeyboardLogic.h"

#include <chrono>
#include <mutex>
#include <vector>

#include "device/FeatureTransport.h"
#include "device/HidDiscovery.h"
#include "device/HidPath.h"
#include "logic/WorkerPacing.h"
#include "records/SharedShapes.h"

namespace {

constexpr int kZero = 0;
constexpr auto kWorkerPace = std::chrono::milliseconds(10);
const _reg_mode_t kZeroRegister{};

}  // namespace

KeyboardLogic::KeyboardLogic(DeviceLink* link)
    : recordFlag_(shapes::kRecordFlagName, &kZero, 1, true),
      factoryReset_(shapes::kFactoryResetName, &kZero, 1, true),
      maskClear_(shapes::kMaskClearName, &kZero, 1, true),
      currentRegister_(shapes::kRegisterName, &kZeroRegister, 1, true),
      modes_(shapes::kModesName, nullptr, 0, true),
      profiles_(shapes::kProfilesName, nullptr, 0, true),
      keySelection_(shapes::kKeySelectionName, true),
      snapshotRequest_(shapes::kSnapshotRequestName, &kZero, 1, true),
      snapshot_(shapes::kSnapshotName, nullptr, 0, true),
      slotMacros_(shapes::kSlotMacrosName, nullptr, 0, true),
      link_(link) {
    BindHooks();
    int opened = ConnectAtStartUp();
    {
        std::lock_guard lock(connected_.mutex());
        if (connected_.count == 0) connected_.store(&opened, 1, false);
        connected_.current() = opened;
        connected_.fireAll(shapes::kAlreadyApplied, false);
    }
    firstWorker_.SetLoopCallback(this, &KeyboardLogic::FirstWorkerPass);
    secondWorker_.SetLoopCallback(this, &KeyboardLogic::SecondWorkerPass);
}

KeyboardLogic::~KeyboardLogic() {
    // No hook may start from here on; a running one fails its next transfer and returns.
    gate_.Shut();
    if (link_) link_->Close();
    gate_.Close();
    firstWorker_.Stop();
    secondWorker_.Stop();
}

void KeyboardLogic::BindHooks() {
    factoryReset_.bind(this, &KeyboardLogic::OnFactoryReset);
    recordFlag_.bind(this, &KeyboardLogic::OnRecordFlag);
    maskClear_.bind(this, &KeyboardLogic::OnMaskClear);
    connected_.bind(this, &KeyboardLogic::OnConnectedChanged);
    currentRegister_.bind(this, &KeyboardLogic::OnRegisterChanged);
    modes_.bind(this, &KeyboardLogic::OnModeSelected);
    profiles_.bind(this, &KeyboardLogic::OnProfileSelected);
    keyAssignment_.bind(this, &KeyboardLogic::OnKeyAssignment);
    colourSet_.bind(this, &KeyboardLogic::OnColourSetChanged);
    keyColours_.bind(this, &KeyboardLogic::OnKeyColoursChanged);
    snapshotRequest_.bind(this, &KeyboardLogic::OnSnapshotRequested);
}

int KeyboardLogic::ConnectAtStartUp() {
    if (!link_) return 0;
    std::lock_guard lock(link_->OpenLock());
    std::vector<std::string> paths = FindHidInterfaces(link_->Backend(), &kKeyboardProductId, 1);
    return paths.empty() ? 0 : link_->Open(paths.front());
}

bool KeyboardLogic::OnArrival(const std::string& path) {
    if (!link_ || !IsKeyboardPath(path)) return false;
    int opened = 0;
    {
        std::lock_guard lock(link_->OpenLock());
        opened = link_->Open(path);
    }
    if (opened > 0) SetConnected(1);
    return opened > 0;
}

bool KeyboardLogic::OnRemove(const std::string& path) {
    if (!link_ || !IsKeyboardPath(path)) return false;
    link_->Close();
    SetConnected(0);
    return true;
}

// The assignment hook reads the value on the dispatcher thread, so both sides take the
// shape's own mutex.
void KeyboardLogic::SetConnected(int value) {
    std::lock_guard lock(connected_.mutex());
    if (connected_.count == 0) connected_.store(&kZero, 1, false);
    connected_.set(value, shapes::kApply, true, false);
}

int KeyboardLogic::ConnectedValue() {
    std::lock_guard lock(connected_.mutex());
    return connected_.count == 0 ? 0 : connected_.current();
}

void KeyboardLogic::OnConnectedChanged(int, const int* data, uint32_t count, uint32_t, uint32_t,
                                       uint32_t, int) {
    HookGate::Pass pass(gate_);
    if (!pass) return;
    if (count > 0 && data[0] != 0) {
        ReadKeyboard();
        return;
    }
    firstWorker_.Stop();
    secondWorker_.Stop();
    ClearKeyCodes();
}

void KeyboardLogic::ClearKeyCodes() {
    keyCodesRead_ = false;
    keyCodes_.store(nullptr, keyCodes_.count, false);
    keyCodes_.fireOthers(shapes::kApply, false);
}

// The idle passes follow the clock, so the worker sleeps until there is work.
int KeyboardLogic::FirstWorkerPass(SimpleThread* thread, void*) {
    CountIdlePasses(*thread, kWorkerPace, std::chrono::steady_clock::now());
    return SimpleThread::kWaitForWork;
}

// Nothing to pace: the worker's own wait ends at once when Stop comes.
int KeyboardLogic::SecondWorkerPass(SimpleThread*, void*) {
    return SimpleThread::kWaitForWork;
}

int KeyboardLogic::Send(int command, int sub, uint32_t offset, const void* data, int length) {
    if (!link_ || gate_.IsClosed()) return 0;
    return SendFeature(*link_, command, sub, offset, data, length);
}

int KeyboardLogic::Query(int command, int sub, void* dest, int length) {
    if (!link_ || gate_.IsClosed()) return 0;
    return QueryFeature(*link_, command, sub, dest, length);
}

KeyboardLogic::MacroGroupList* KeyboardLogic::Groups() {
    return macroGroups_.count == 0 ? nullptr : macroGroups_.data();
}
