#include "SoakRun.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "MemoryProbe.h"
#include "SoakAction.h"
#include "SoakChecks.h"
#include "Watchdog.h"
#include "emulator/VirtualKeyboard.h"
#include "screens/KeyboardUiNames.h"
#include "ui/InputControls.h"

namespace {

constexpr auto kActionBound = std::chrono::seconds(5);
constexpr long kFirstMemoryMark = 1000;
// Memory may still rise after the first 1,000 actions without growing with their number: the
// main heap keeps freed chunks resident between live ones (measured to level off about 17 MB up
// by 5,000 actions), and off-screen surfaces come for windows of new sizes. What the heap holds
// live grows only with the macro groups the user adds (about 4 MB by 10,000 actions); a leak of
// a kilobyte per action goes past its margin over 10,000 actions.
constexpr long kPeakMarginKiB = 20 * 1024;
constexpr long kHeapMarginKiB = 8 * 1024;
// Fault-free actions after the final replug, to see that changes still reach the keyboard.
constexpr int kCalmActions = 60;

class ActionPicker {
public:
    explicit ActionPicker(std::vector<SoakAction> actions) : actions_(std::move(actions)) {
        std::vector<int> weights;
        for (const SoakAction& a : actions_) weights.push_back(a.weight);
        pick_ = std::discrete_distribution<std::size_t>(weights.begin(), weights.end());
    }
    const SoakAction& Next(std::mt19937& random) { return actions_[pick_(random)]; }

private:
    std::vector<SoakAction> actions_;
    std::discrete_distribution<std::size_t> pick_;
};

template <class... Lists>
std::vector<SoakAction> Joined(Lists... lists) {
    std::vector<SoakAction> all;
    (all.insert(all.end(), lists.begin(), lists.end()), ...);
    return all;
}

void RunActions(SoakRig& rig, ActionPicker& picker, long count, std::mt19937& random, Watchdog& dog,
                const char* phase, const std::function<void(long)>& after) {
    for (long i = 1; i <= count; ++i) {
        const SoakAction& action = picker.Next(random);
        {
            WatchedAction watched(
                dog, std::string(phase) + " " + std::to_string(i) + " (" + action.name + ")");
            action.run();
            rig.Tally(action.name);
        }
        after(i);
    }
}

// Puts the keyboard back without faults and waits until the window shows it again.
void FinalReplug(SoakRig& rig) {
    EmulatedBackend& backend = rig.Backend();
    backend.ClearFaults();
    if (backend.KeyboardPlugged()) {
        backend.UnplugKeyboard();
        SoakRig::Settle();
    }
    backend.PlugKeyboard();
    for (int i = 0; i < 5; ++i) SoakRig::Settle();
    if (!rig.Window().KeyboardOpen()) rig.Fault("the keyboard did not open again after the replug");
}

double KiBToMiB(long kib) {
    return static_cast<double>(kib) / 1024.0;
}

std::vector<SoakAction> ChosenActions(SoakRig& rig, std::mt19937& random, const std::string& only) {
    std::vector<SoakAction> actions =
        Joined(PanelActions(rig, random), EditorActions(rig, random), DeviceActions(rig, random));
    if (!only.empty()) std::erase_if(actions, [&](const SoakAction& a) { return only != a.name; });
    return actions;
}

// The random actions with faults: their speed and memory at the first mark and at the end.
struct RandomPhase {
    double seconds = 0;
    long firstMark = 0;
    MemorySample atFirstMark;
    MemorySample atEnd;
};

RandomPhase RunRandomActions(SoakRig& rig, std::vector<SoakAction> actions,
                             const SoakOptions& options, std::mt19937& random, Watchdog& dog) {
    ActionPicker picker(std::move(actions));
    RandomPhase phase;
    phase.firstMark = std::min(options.actions, kFirstMemoryMark);
    const auto start = std::chrono::steady_clock::now();
    RunActions(rig, picker, options.actions, random, dog, "action", [&](long done) {
        if (done == phase.firstMark) phase.atFirstMark = MemorySample::Now();
        if (options.report && done % options.reportEvery == 0)
            std::printf(
                "%ld actions, peak memory %.1f MiB, resident %.1f MiB, heap in use %.1f MiB\n",
                done, KiBToMiB(PeakMemoryKiB()), KiBToMiB(ResidentMemoryKiB()),
                KiBToMiB(HeapInUseKiB()));
    });
    phase.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    phase.atEnd = MemorySample::Now();
    return phase;
}

// After the faults: the keyboard back, the window showing it, changes reaching it, and
// "macro.xml" holding what the program held when it closed.
void RunFinalChecks(SoakRig& rig, std::mt19937& random, Watchdog& dog) {
    {
        WatchedAction watched(dog, "final replug");
        FinalReplug(rig);
    }
    CheckShownStateIsTheKeyboards(rig, "after the final replug");
    // The connection read takes the keyboard's macros; later edits may change groups at will.
    CheckKeyboardMacrosAreHeld(rig, rig.ProgramGroups());
    ActionPicker calm(Joined(PanelActions(rig, random), EditorActions(rig, random)));
    RunActions(rig, calm, kCalmActions, random, dog, "fault-free action", [](long) {});
    CheckShownStateIsTheKeyboards(rig, "after the fault-free actions");

    const std::list<MacroRecordGroup> held = rig.ProgramGroups();
    {
        WatchedAction watched(dog, "closing the program");
        rig.Stop();
        rig.ReleaseMacroFile();
    }
    CheckMacroFile(rig, rig.MacroPath(), held);
    std::printf("soak: %zu macro groups held and saved\n", held.size());
}

void ReportAndCheckMemory(SoakRig& rig, const RandomPhase& phase, long actions) {
    std::printf("soak: %ld actions in %.1f s, %.1f actions per second\n", actions, phase.seconds,
                phase.seconds > 0 ? static_cast<double>(actions) / phase.seconds : 0.0);
    auto compare = [&](const char* what, long first, long end, long margin) {
        std::printf("soak: %s %.1f MiB after %ld actions, %.1f MiB after %ld actions\n", what,
                    KiBToMiB(first), phase.firstMark, KiBToMiB(end), actions);
        if (end - first <= margin) return;
        rig.Fault(std::string(what) + " grew by " + std::to_string((end - first) / 1024) +
                  " MiB between action " + std::to_string(phase.firstMark) + " and action " +
                  std::to_string(actions) + " (at most " + std::to_string(margin / 1024) +
                  " MiB allowed)");
    };
    compare("peak memory", phase.atFirstMark.peakKiB, phase.atEnd.peakKiB, kPeakMarginKiB);
    compare("heap in use", phase.atFirstMark.heapKiB, phase.atEnd.heapKiB, kHeapMarginKiB);
}

}  // namespace

int RunSoak(const SoakOptions& options) {
    SoakRig rig;
    if (!rig.Start()) {
        std::fprintf(stderr, "FAIL: %s\n", rig.Problem().toUtf8().constData());
        return 2;
    }
    if (auto* modes = rig.Find<SOUI::SComboBox>(kb::kModes); !modes || modes->GetCount() == 0) {
        std::fprintf(stderr, "FAIL: the keyboard was not read at start\n");
        return 2;
    }
    std::mt19937 random(options.seed);
    std::vector<SoakAction> actions = ChosenActions(rig, random, options.only);
    if (actions.empty()) {
        std::fprintf(stderr, "FAIL: no action is named \"%s\"\n", options.only.c_str());
        return 2;
    }
    Watchdog dog(kActionBound);
    const RandomPhase phase = RunRandomActions(rig, std::move(actions), options, random, dog);
    RunFinalChecks(rig, random, dog);
    ReportAndCheckMemory(rig, phase, options.actions);

    if (options.report)
        for (const auto& [what, count] : rig.Tallies())
            std::printf("  %-28s %ld\n", what.c_str(), count);
    for (const std::string& fault : rig.Faults()) std::fprintf(stderr, "FAIL: %s\n", fault.c_str());
    if (!rig.Faults().empty()) return 1;
    std::printf("soak: passed\n");
    return 0;
}
