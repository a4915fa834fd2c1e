#include "SoakChecks.h"

#include <algorithm>
#include <pugixml.hpp>
#include <sstream>

#include "emulator/VirtualKeyboard.h"
#include "logic/MacroBlockCodec.h"
#include "records/MacroRequest.h"
#include "screens/KeyboardUiNames.h"
#include "ui/InputControls.h"
#include "widgets/CoordButtonImage.h"

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

class Comparison {
public:
    Comparison(SoakRig& rig, std::string when) : rig_(rig), when_(std::move(when)) {}

    template <class A, class B>
    void Same(const std::string& what, const A& shown, const B& kept) {
        if (static_cast<long long>(shown) == static_cast<long long>(kept)) return;
        std::ostringstream text;
        text << when_ << ": " << what << ": the window shows " << shown << ", the keyboard holds "
             << kept;
        rig_.Fault(text.str());
    }

private:
    SoakRig& rig_;
    std::string when_;
};

std::string Describe(const MacroRecordGroup& group) {
    std::ostringstream text;
    if (group.info.count > 0) {
        const MacroRecordGpInfo& info = group.info.current();
        text << "group " << info.id << " \"" << std::string(info.name.begin(), info.name.end())
             << "\" repeat " << info.repeat;
    }
    text << " with " << (group.items.count > 0 ? group.items.current().size() : 0) << " steps";
    return text.str();
}

std::string DescribeStep(const MacroRecordGpItem& step) {
    return "code " + std::to_string(step.code) + " state " + std::to_string(step.state) +
           " delay " + std::to_string(step.delay);
}

// Where two groups of as many steps part: empty when they do not.
std::string FirstDifferentStep(const MacroRecordGroup& stored, const MacroRecordGroup& held) {
    if (stored.items.count == 0 || held.items.count == 0) return {};
    const auto& a = stored.items.current();
    const auto& b = held.items.current();
    std::size_t index = 0;
    for (auto x = a.begin(), y = b.begin(); x != a.end() && y != b.end(); ++x, ++y, ++index)
        if (!(*x == *y))
            return "; step " + std::to_string(index) + " is " + DescribeStep(*x) +
                   " in the file, " + DescribeStep(*y) + " in the program";
    return {};
}

bool SameContent(const MacroRecordGroup& a, const MacroRecordGroup& b) {
    if (a.info.count != b.info.count || a.items.count != b.items.count) return false;
    if (a.info.count > 0 && !(a.info.current() == b.info.current())) return false;
    return a.items.count == 0 || a.items.current() == b.items.current();
}

}  // namespace

void CheckShownStateIsTheKeyboards(SoakRig& rig, const std::string& when) {
    const VirtualKeyboard& keyboard = rig.Backend().Keyboard();
    Comparison compare(rig, when);
    // A widget or key list that is missing is a fault, not a comparison to skip.
    auto present = [&](auto* widget, const char* name) {
        if (!widget) rig.Fault(when + ": the window has no " + name);
        return widget;
    };
    const int profile = keyboard.ActiveProfile();
    const int mode = keyboard.ProfileMode(profile);
    if (auto* profiles = present(rig.Find<SOUI::SComboBox>(kb::kProfiles), kb::kProfiles))
        compare.Same("profile", profiles->GetCurSel(), profile);
    if (auto* modes = present(rig.Find<SOUI::SComboBox>(kb::kModes), kb::kModes))
        compare.Same("mode", modes->GetCurSel(), mode);

    const _reg_mode_t reg = keyboard.Register(profile, mode);
    if (auto* speed = present(rig.Find<SOUI::SSliderBar>(kb::kSpeed), kb::kSpeed))
        compare.Same("speed", speed->GetValue(), reg.speed());
    if (auto* fg = present(rig.Find<SOUI::SSliderBar>(kb::kFgBrightness), kb::kFgBrightness))
        compare.Same("foreground brightness", fg->GetValue(), reg.foregroundBrightness);
    if (auto* bg = present(rig.Find<SOUI::SSliderBar>(kb::kBgBrightness), kb::kBgBrightness))
        compare.Same("background brightness", bg->GetValue(), reg.backgroundBrightness);
    for (int i = 0; i < 4; ++i) {
        auto* radio = present(rig.Window().FindChildByID2<SOUI::SWindow>(kb::kFirstDirectionId + i),
                              "direction radio");
        if (radio)
            compare.Same(
                "direction radio " + std::to_string(kb::kFirstDirectionId + i) + " checked",
                radio->IsChecked(), kb::kDirectionValues[i] == reg.direction());
    }

    const int set = keyboard.SelectedColourSet();
    if (auto* sets = present(rig.Find<SOUI::SComboBox>(kb::kColourSet), kb::kColourSet))
        compare.Same("colour set", sets->GetCurSel(), set);
    if (auto* led = present(rig.Find<SOUI::CoordButtonImage>(kb::kLedKeys), kb::kLedKeys)) {
        const KeyColourSet colours = keyboard.Colours(set);
        if (led->Items().empty()) rig.Fault(when + ": the lighting key picture has no keys");
        const std::size_t keys = std::min(led->Items().size(), colours.size());
        for (std::size_t i = 0; i < keys; ++i)
            compare.Same("colour of key " + std::to_string(i),
                         led->Items()[i].fground & kColourBits, colours[i].value() & kColourBits);
    }
    if (auto* macroKeys =
            present(rig.Find<SOUI::CoordButtonImage>(kb::kMacroKeys), kb::kMacroKeys)) {
        const KeyCodeTable codes = keyboard.KeyCodes();
        if (macroKeys->Items().empty()) rig.Fault(when + ": the keys page picture has no keys");
        const std::size_t keys = std::min(macroKeys->Items().size(), codes.size());
        for (std::size_t i = 0; i < keys; ++i)
            compare.Same("assignment mark of key " + std::to_string(i),
                         macroKeys->Items()[i].checked, codes[i].hasAssignment());
    }
}

void CheckMacroFile(SoakRig& rig, const std::filesystem::path& file,
                    const std::list<MacroRecordGroup>& held) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(file.c_str());
    if (!parsed) {
        rig.Fault("\"macro.xml\" does not parse: " + std::string(parsed.description()));
        return;
    }
    const MacroFile reloaded(file);
    const std::list<MacroRecordGroup> stored =
        reloaded.groups().count > 0 ? reloaded.groups().current() : std::list<MacroRecordGroup>{};
    if (stored.size() != held.size())
        rig.Fault("\"macro.xml\" holds " + std::to_string(stored.size()) +
                  " groups, the program held " + std::to_string(held.size()));
    auto s = stored.begin();
    for (const MacroRecordGroup& group : held) {
        if (s == stored.end()) {
            rig.Fault("\"macro.xml\" lacks " + Describe(group));
        } else if (!SameContent(*s, group)) {
            rig.Fault("\"macro.xml\" holds " + Describe(*s) + " where the program held " +
                      Describe(group) + FirstDifferentStep(*s, group));
        }
        if (s != stored.end()) ++s;
    }
}

void CheckKeyboardMacrosAreHeld(SoakRig& rig, const std::list<MacroRecordGroup>& held) {
    const VirtualKeyboard& keyboard = rig.Backend().Keyboard();
    const KeyCodeTable codes = keyboard.KeyCodes();
    const int slotCount = keyboard.Shape().macroSlots;
    const shapes::CombKeys combinations;  // the settings' list, as the program holds it
    for (std::size_t key = 0; key < codes.size(); ++key) {
        if (!codes[key].playsMacro()) continue;
        const int slot = codes[key].value();
        const std::string which =
            "key " + std::to_string(key) + " plays macro slot " + std::to_string(slot);
        if (slot >= slotCount) {
            rig.Fault(which + ", which the keyboard does not have");
            continue;
        }
        const macro_block_t block = keyboard.Macro(slot);
        // A combination is no group; any other macro is held by a group with its steps (the
        // block's repeat is the play mode's). An empty macro is what a group without steps
        // sends.
        const bool kept =
            macroreq::CombinationOf(block, {combinations.data(), combinations.count}) ||
            std::any_of(held.begin(), held.end(), [&](const MacroRecordGroup& g) {
                if (g.info.count == 0) return false;
                if (block.count == 0) return g.items.count == 0 || g.items.current().empty();
                macro_block_t encoded = EncodeMacroGroup(g);
                encoded.name = block.name;
                encoded.repeat = block.repeat;
                return encoded == block;
            });
        if (!kept) rig.Fault(which + ", whose macro the program no longer holds");
    }
}
