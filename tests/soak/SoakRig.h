#pragma once
// The program as start-up builds it, over the real UI folder and an emulated keyboard without
// latency: the settings and macro files (in a temporary folder), the main window with its
// panel and keyboard logic, and one more member of the macro groups that sees what every
// holder of the program sees.
#include <QString>
#include <QTemporaryDir>
#include <filesystem>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "emulator/EmulatedBackend.h"
#include "persist/AppConfig.h"
#include "persist/MacroFile.h"
#include "records/AppRecords.h"
#include "records/SharedShapes.h"
#include "store/Shape.h"
#include "ui/SOUI.h"

// The main window, except that it stays open when the keyboard goes: the program's own window
// ends the program then, which would end the run at its first unplug. Arrivals and removals go
// to the keyboard logic as the main window hands them over.
class SoakWindow : public CMainDlg {
public:
    using CMainDlg::CMainDlg;

protected:
    bool ProcessWindowMessage(SOUI::UINT msg, SOUI::WPARAM wParam, SOUI::LPARAM lParam,
                              SOUI::LRESULT& result) override;
};

class SoakRig {
public:
    SoakRig();
    ~SoakRig();
    SoakRig(const SoakRig&) = delete;
    SoakRig& operator=(const SoakRig&) = delete;

    // False when the program could not be brought up; Problem() says why.
    bool Start();
    const QString& Problem() const { return problem_; }

    // Waits for the store and runs the UI thread's events until both are quiet.
    static void Settle();

    SoakWindow& Window() { return *window_; }
    EmulatedBackend& Backend() { return *backend_; }
    SOUI::SApplication& App() { return *app_; }
    const std::filesystem::path& MacroPath() const { return macroPath_; }

    template <class T>
    T* Find(const char* name) const {
        return window_->FindChildByName2<T>(QString::fromUtf8(name));
    }

    // The macro groups as the program's holders have them now.
    std::list<MacroRecordGroup> ProgramGroups();

    // Something the program did wrong that the run goes on past; reported at its end.
    void Fault(std::string what) { faults_.push_back(std::move(what)); }
    const std::vector<std::string>& Faults() const { return faults_; }

    // Counts what happened during the run, for the report.
    void Tally(const std::string& what) { ++tallies_[what]; }
    const std::map<std::string, long>& Tallies() const { return tallies_; }

    // Closes the main window and lets every change still on its way land in "macro.xml", as the
    // program's teardown does; the groups the program held last stay readable.
    void Stop();
    // Lets go of "macro.xml" and of the last holders of the macro groups, after Stop().
    void ReleaseMacroFile();

private:
    QTemporaryDir folder_;
    std::filesystem::path macroPath_;
    QString problem_;
    std::vector<std::string> faults_;
    std::map<std::string, long> tallies_;
    std::unique_ptr<SOUI::SApplication> app_;
    std::unique_ptr<AppConfig> config_;
    std::unique_ptr<MacroFile> macros_;
    std::unique_ptr<shapes::MacroGroups> groupsSeen_;
    std::shared_ptr<EmulatedBackend> backend_;
    std::unique_ptr<SoakWindow> window_;
};
