#pragma once
// The macro editor under test: the toolkit over the real resources, the shared
// records another holder (start-up, the keyboard logic) would own, and a way to
// type on the editor's window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "records/AppRecords.h"
#include "records/DeviceRecords.h"
#include "records/SharedShapes.h"
#include "screens/MacroRecordDlg.h"
#include "store/Shape.h"
#include "ui/SOUI.h"

namespace macrotest {

// Input layer key codes typed in the tests.
constexpr unsigned KEY_A = 30;
constexpr unsigned KEY_B = 48;
constexpr unsigned KEY_C = 46;
constexpr unsigned KEY_RIGHTCTRL = 97;

// The one QApplication of the test program, made on first use.
QApplication& EnsureApplication();

// Members of the editor's shared groups, built before the editor like the
// program's own holders, with a log of every request that reaches them.
struct SharedRecords {
    SharedRecords();
    ~SharedRecords();
    void OnRequest(int, const macrokey_pack_t* data, uint32_t, uint32_t, uint32_t, uint32_t, int);
    std::vector<macrokey_pack_t> Requests();
    std::list<MacroRecordGroup> GroupsNow();

    MacroRecordDlg::FuncKeys funcKeys;
    MacroRecordDlg::CombKeys combKeys;
    MacroRecordDlg::Params params;
    MacroRecordDlg::Groups groups;
    MacroRecordDlg::Request request;
    // The keyboard's key codes, as the keyboard logic publishes them.
    shapes::KeyCodes keyCodes;

private:
    std::mutex mutex_;
    std::vector<macrokey_pack_t> requests_;
};

MacroRecordGroup MakeGroup(int id, const std::wstring& name, int steps = 0);

class MacroEditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Waits for the store and runs posted messages until both are quiet.
    static void Settle();
    // Opens the editor without a modal loop.
    MacroRecordDlg& Open();
    void Close();
    void Click(const char* name);
    void Check(const char* name);
    void SelectPage(int page);
    void SelectGroupRow(int row);
    void SelectStepRow(int row);
    void SetEditText(const char* name, const QString& text);
    // Sends a key event for the input layer's key code to the editor's window;
    // true when a widget could see it (not swallowed).
    bool Key(bool down, unsigned evdev, bool autoRepeat = false,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool Tap(unsigned evdev);
    std::vector<MacroRecordGpItem> WorkSteps();
    template <class T>
    T* Find(const char* name) {
        return dlg->FindChildByName2<T>(QString::fromLatin1(name));
    }

    std::unique_ptr<SOUI::SApplication> app;
    std::unique_ptr<SharedRecords> shared;
    CoordButtonInfo key;
    std::unique_ptr<MacroRecordDlg> dlg;
    std::int64_t now = 1000;
    int probeCalls = 0;
    // The editor's questions, and the answer they get.
    std::vector<QString> questions;
    bool confirm = true;
};

}  // namespace macrotest
