#pragma once
// Shared set-up of the program tests: one QApplication for the process, the program's own
// UI folder, a temporary program folder and message boxes answered by the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "app/MainDlg.h"
#include "support/ScopedVariable.h"
#include "ui/SOUI.h"
#include "ui/UiTestSupport.h"

namespace apptest {

using uitest::EnsureQApp;
using uitest::ProcessEvents;

// Runs the event loop until done() holds or the time is up; returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

QString UiFolder();

// Sets an environment variable, or unsets it for a null value, until the object goes.
using ::ScopedVariable;

// One shown message box: its text, its caption and whether it offered Cancel.
struct ShownBox {
    QString text;
    QString caption;
    bool cancelShown = false;
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program folder the application is made with; the key pictures' coordinates files
    // are read below it.
    virtual QString ProgramFolderPath() const { return programFolder.path(); }
    // Answers every message box by clicking the button with this id, as a user would.
    void AnswerBoxesWith(int buttonId);
    // A main window over the backend, created and initialised as start-up does.
    std::unique_ptr<CMainDlg> StartMainWindow(std::shared_ptr<HidBackend> backend);

    QTemporaryDir programFolder;
    std::unique_ptr<SOUI::SApplication> app;
    std::vector<ShownBox> boxes;
};

}  // namespace apptest
