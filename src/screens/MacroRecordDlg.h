#pragma once
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "persist/MacroSharing.h"
#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "records/SharedShapes.h"
#include "screens/MacroFileDialog.h"
#include "store/Shape.h"
#include "ui/HostDialog.h"
#include "ui/WidgetIds.h"

namespace SOUI {
class SCheckBox;
class SComboBox;
class SEdit;
class SListView;
class SMcListView;
class STabCtrl;
class SToggleButton;
class SWindow;
}  // namespace SOUI
class MacroGroupAdapter;
class MacroItemAdapter;

// The macro editor: decides what one key of the keyboard does (a recorded
// macro, another key, a function key or a key combination) and publishes that
// as a key-assignment request. Groups and settings live in shared records, so
// they reach "macro.xml" and come back at the next opening.
class MacroRecordDlg : public SOUI::SHostDialog {
public:
    using FuncKeys = shapes::FuncKeys;
    using CombKeys = shapes::CombKeys;
    using Params = shapes::MacroSettings;
    using Groups = shapes::MacroGroups;
    using Request = shapes::KeyAssignment;
    using WorkInfo = MacroRecordGroup::InfoShape;
    using WorkItems = MacroRecordGroup::ItemsShape;
    // Milliseconds on a monotonic clock.
    using Clock = std::function<std::int64_t()>;
    // Asks the user to go on with something that loses data; the default one shows a message
    // box with OK and Cancel.
    using Confirmation = std::function<bool(SOUI::HWND owner, const QString& question)>;
    // Asks for the file of an export or an import; the default one is ChooseMacroFile.
    using FileChooser = std::function<std::optional<MacroFileChoice>(
        QWidget* parent, bool exporting, const QString& suggestedName)>;

    // End code of "btnDelete".
    static constexpr int END_DELETE = SOUI::kDeleteButtonId;
    static constexpr int MAX_GROUPS = static_cast<int>(persist::kMaxMacroGroups);

    static const char* GetClassName() { return "macro::Grouplg"; }
    static bool IsClass(const QString& name);

    MacroRecordDlg(std::wstring keyName, const CoordButtonInfo& key);
    ~MacroRecordDlg() override;

    // Milliseconds since the program started, never going back.
    static std::int64_t ProgramClock();
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    void SetConfirmation(Confirmation confirm) { confirm_ = std::move(confirm); }
    void SetFileChooser(FileChooser choose) { chooseFile_ = std::move(choose); }
    // Why the last OK assigned nothing; empty once something changed or after an assignment.
    QString AssignReason() const;

    // The keyboard listener; nonzero swallows the event.
    SOUI::LRESULT OnKeyboardEvent(int code, SOUI::WPARAM& wParam, SOUI::LPARAM& lParam);

    const Params& params() const { return params_; }
    const Groups& groups() const { return groups_; }
    const WorkInfo& workInfo() const { return workInfo_; }
    const WorkItems& workItems() const { return workItems_; }

protected:
    bool ProcessWindowMessage(SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                              SOUI::LRESULT& result) override;
    bool OnEvent(SOUI::EventArgs* e) override;

private:
    struct Controls {
        QPointer<SOUI::SMcListView> items;
        QPointer<SOUI::SListView> groups;
        QPointer<SOUI::SWindow> keyName;
        QPointer<SOUI::SWindow> delayBoxes[3];
        QPointer<SOUI::SWindow> singleKey;
        QPointer<SOUI::SComboBox> mediaKeys;
        QPointer<SOUI::SComboBox> functionKeys;
        QPointer<SOUI::SComboBox> playMode;
        QPointer<SOUI::SToggleButton> record;
        QPointer<SOUI::SEdit> delayTime;
        QPointer<SOUI::SEdit> repeatTimes;
        QPointer<SOUI::STabCtrl> tab;
        QPointer<SOUI::SWindow> reason;
    };

    void OnInitDialog();
    // Opens on the page and entry of what the key plays now, when its code and the groups
    // tell it; otherwise the editor stays on the page and entry last used.
    void ShowWhatTheKeyPlays();
    // Keeps the entry of a single key or function page given to the key, for the next opening.
    void RememberEntry(int page, int entry);
    // A key still held from an earlier recording is no auto-repeat of a new one.
    static void ForgetHeldKey();
    void BindControls();
    void FillKeyLists();
    void OnDestroy();

    // Hooks.
    void OnGroupsChanged(int, const std::list<MacroRecordGroup>*, uint32_t, uint32_t, uint32_t,
                         uint32_t, int) {}
    void OnParamsChanged(int, const MacroRecordParam*, uint32_t, uint32_t, uint32_t, uint32_t, int);
    void OnWorkInfoChanged(int, const MacroRecordGpInfo*, uint32_t, uint32_t, uint32_t, uint32_t,
                           int);
    void OnWorkItemsChanged(int, const std::list<MacroRecordGpItem>*, uint32_t, uint32_t, uint32_t,
                            uint32_t, int);
    void Refresh();
    void ShowSettings(const MacroRecordParam& p);
    MacroRecordGroup* SelectedGroup();
    MacroRecordParam& Param() { return params_.current(); }

    // Commands and events.
    bool OnCommand(const QString& name, int id);
    void OnPageChanged();
    void OnRecordBoxCommand();
    void OnDelayMode(int mode);
    void OnRepeatEdited();
    void OnDelayTimeEdited();
    void OnComboChanged(SOUI::SWindow* sender, int sel);
    void ShowDelayTime(int mode);
    void UpdateHook(bool install);

    // Requests.
    void OnOk();
    void OnDelete();
    // Fills the request from the current page; false with the reason when nothing can be
    // assigned.
    bool FillRequest(macrokey_pack_t& request, const char*& reason);
    void ShowReason(const char* reason);

    // Groups and steps.
    // Adds a group with a name no other group has and selects it; false when the list is full.
    bool OnGroupAdd();
    void OnGroupDel();
    // Export saves the selected group or all of them; import adds a file's groups, renamed where
    // a name is taken. Both say how it went in the reason line.
    void OnGroupExport();
    void OnGroupImport();
    void ShowOutcome(const QString& text);
    void OnGroupSelected(int row);
    void OnGroupRenamed(int row, const std::wstring& name);
    void OnStepCommand(const QString& name);
    void ItemsChanged();
    void GroupsChanged();

    // Recording.
    SOUI::LRESULT RecordMacroKey(SOUI::UINT message, const struct KBDLLHOOKSTRUCT& info);
    SOUI::LRESULT CaptureSingleKey(SOUI::UINT message, const struct KBDLLHOOKSTRUCT& info);
    void RecordStep(const struct KBDLLHOOKSTRUCT& info, int state);
    int PageOfTab() const;

    std::wstring keyName_;
    const CoordButtonInfo& key_;
    Clock clock_ = &MacroRecordDlg::ProgramClock;
    Confirmation confirm_;
    FileChooser chooseFile_ = &ChooseMacroFile;
    std::int64_t lastEventTime_ = -1;
    // The settings the editor opened with on a key whose assignment it could not show.
    std::optional<MacroRecordParam> unshown_;
    Controls ui_;
    std::shared_ptr<MacroGroupAdapter> groupAdapter_;
    std::shared_ptr<MacroItemAdapter> itemAdapter_;

    FuncKeys funcKeys_;
    CombKeys combKeys_;
    Params params_;
    Groups groups_;
    Request request_;
    WorkInfo workInfo_;
    WorkItems workItems_;
    shapes::KeyCodes keyCodes_;
    shapes::SlotMacros slotMacros_{shapes::kSlotMacrosName, nullptr, 0};
    shapes::EntryChoices choices_{shapes::kEntryChoicesName};
};
