#pragma once
// The lighting and profile panel of the main window: shows what the keyboard logic publishes
// (connection, profiles, modes, the current mode's register, colour set, key colours and key
// assignments) and publishes the user's changes back. Every hook runs on the UI thread.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <vector>

#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "records/KeyboardView.h"
#include "records/SharedShapes.h"
#include "store/Shape.h"
#include "ui/Events.h"
#include "ui/WinDefs.h"

namespace SOUI {
class SWindow;
class SComboBox;
class SSliderBar;
class CoordButtonImage;
}  // namespace SOUI
class ColorPanel;

class KeyboardUi {
public:
    // Opens the assignment editor for one key, modally over the window; the default one
    // runs the macro editor.
    using EditorOpener =
        std::function<void(SOUI::HWND owner, const std::wstring& name, const CoordButtonInfo&)>;
    // Asks the user to go on with something that cannot be undone; the default one shows a
    // message box with OK and Cancel.
    using Confirmation = std::function<bool(SOUI::HWND owner, const QString& question)>;
    // Tells the user what was done; the default one shows a message box with OK.
    using Notice = std::function<void(SOUI::HWND owner, const QString& text)>;
    // Saves the keyboard's settings to a file the user picks; true when they were saved.
    using Exporter = std::function<bool(SOUI::HWND owner)>;

    KeyboardUi();
    ~KeyboardUi();
    KeyboardUi(const KeyboardUi&) = delete;
    KeyboardUi& operator=(const KeyboardUi&) = delete;

    void Init(SOUI::SWindow* root, SOUI::HWND window);
    // True when the event was the panel's.
    bool OnEvent(SOUI::EventArgs* e);
    // Subscriber of the three combo boxes; lets the event go on.
    bool OnComboSelChange(SOUI::EventArgs* e);
    void OnForegroundColour(std::uint32_t colour);
    void OnBackgroundColour(std::uint32_t colour);
    // Key picture listeners.
    bool OnMacroKeyClick(int id, int order, const CoordButtonInfo& key, int released, int reserved,
                         int x, int y);
    void OnLedSelection(const std::vector<CoordButtonInfo>& selected);

    void SetEditorOpener(EditorOpener opener) { openEditor_ = std::move(opener); }
    void SetConfirmation(Confirmation confirm) { confirm_ = std::move(confirm); }
    void SetNotice(Notice notice) { notice_ = std::move(notice); }
    // With an exporter, the factory reset's question offers to export first.
    void SetExporter(Exporter exporter) { exporter_ = std::move(exporter); }

    // Direction values of the register's bits 4-5 for the turning modes.
    static constexpr std::uint8_t kClockwise = 0;
    static constexpr std::uint8_t kAnticlockwise = 1;

private:
    // Asks before the reset, offering an export where there is an exporter.
    bool ConfirmFactoryReset();
    // Asks before the mask clear, and clears once the user agrees.
    void ClearMasks();
    struct Widgets {
        QPointer<SOUI::SWindow> status;
        QPointer<SOUI::SComboBox> profiles;
        QPointer<SOUI::SComboBox> modes;
        QPointer<SOUI::SComboBox> colourSet;
        QPointer<SOUI::SWindow> colourSetRow;  // optional
        QPointer<SOUI::SSliderBar> speed;
        QPointer<SOUI::SSliderBar> fgBrightness;
        QPointer<SOUI::SSliderBar> bgBrightness;
        QPointer<SOUI::SWindow> speedParent;
        QPointer<SOUI::SWindow> fgBrightnessParent;
        QPointer<SOUI::SWindow> bgBrightnessParent;
        QPointer<SOUI::SWindow> directionGroup;
        QPointer<SOUI::SWindow> foregroundBox;
        QPointer<SOUI::SWindow> backgroundBox;
        QPointer<SOUI::SWindow> foregroundAuto;
        QPointer<SOUI::CoordButtonImage> macroKeys;
        QPointer<SOUI::CoordButtonImage> ledKeys;
        QPointer<SOUI::SWindow> direction;
        QPointer<SOUI::SWindow> linearDirections;
        QPointer<SOUI::SWindow> turnDirections;
        QPointer<SOUI::SWindow> directions[4];  // left, right, top, bottom
        QPointer<SOUI::SWindow> clockwise;
        QPointer<SOUI::SWindow> anticlockwise;
        // Value labels beside the sliders; optional.
        QPointer<SOUI::SWindow> speedValue;
        QPointer<SOUI::SWindow> fgBrightnessValue;
        QPointer<SOUI::SWindow> bgBrightnessValue;
    };

    void FindWidgets(SOUI::SWindow* root);
    void BindColourPanels();
    void BindHooks();
    void RunHooksOnce();

    // Hooks.
    void OnConnected(int, const int* data, uint32_t count, uint32_t, uint32_t, uint32_t, int);
    void OnRegister(int, const _reg_mode_t* data, uint32_t count, uint32_t, uint32_t, uint32_t,
                    int);
    void OnModes(int, const _mode_attr_t* data, uint32_t count, uint32_t oldCount, uint32_t index,
                 uint32_t, int arg);
    void OnProfiles(int, const _profile_attr_t* data, uint32_t count, uint32_t oldCount,
                    uint32_t index, uint32_t, int arg);
    void OnColourSet(int, const int* data, uint32_t count, uint32_t, uint32_t, uint32_t, int);
    void OnKeyCodes(int, const macro_code_t* data, uint32_t count, uint32_t, uint32_t, uint32_t,
                    int);
    void OnKeySelection(int, const std::vector<CoordButtonInfo>* data, uint32_t count, uint32_t,
                        uint32_t, uint32_t, int);
    void OnKeyColours(int, const rgba_t* data, uint32_t count, uint32_t, uint32_t, uint32_t, int);

    // Showing state.
    void ApplyModeCaps(std::uint16_t flags);
    void ShowDirection(std::uint8_t direction);
    void ShowSliderValues();
    // Flags of the current mode; nothing when the index is past the list.
    bool CurrentModeFlags(std::uint16_t& flags) const;

    // Actions.
    bool OnCommand(SOUI::EventArgs* e);
    bool OnSlider(SOUI::EventArgs* e);
    void WriteDirection(std::uint8_t direction);
    void PublishRegister() { view_.reg.fireOthers(shapes::kApply, false); }
    _reg_mode_t& Register() { return view_.reg.current(); }
    void OpenEditor(const CoordButtonInfo& key);

    SOUI::HWND window_ = SOUI::kNoWindow;
    Widgets ui_;
    std::unique_ptr<ColorPanel> foreground_;
    std::unique_ptr<ColorPanel> background_;
    EditorOpener openEditor_;
    Confirmation confirm_;
    Notice notice_;
    Exporter exporter_;
    // One editor at a time: input that reaches the picture while one is open opens no other.
    bool editorOpen_ = false;

    KeyboardView view_;
    shapes::KeySelection keySelection_;
    shapes::RecordFlag recordFlag_;
    shapes::FactoryReset factoryReset_;
    shapes::MaskClear maskClear_;
    shapes::MacroSettings macroParams_;
    shapes::MacroGroups macroGroups_;
};
