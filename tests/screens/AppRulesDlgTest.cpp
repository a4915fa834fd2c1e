// The rules dialog where a scenario does not reach: a change whose file cannot be written says
// so, and the rule still holds while the program runs.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "emulator/EmulatedBackend.h"
#include "ops/LocalKeyboard.h"
#include "screens/AppRulesDlg.h"
#include "support/MacroTestSupport.h"
#include "ui/Application.h"
#include "ui/BasicControls.h"
#include "ui/InputControls.h"
#include "ui/NameIdTable.h"

namespace {

namespace fs = std::filesystem;

TEST(AppRulesDlg, AChangeThatCannotBeSavedSaysSoAndHoldsWhileTheProgramRuns) {
    macrotest::EnsureApplication();
    const QString uires = QStringLiteral(KEYLUME_SOURCE_UIRES);
    SOUI::SApplication app(QFileInfo(uires).absolutePath());
    app.SetNameIdTable(SOUI::ProgramNameIdTable());
    ASSERT_TRUE(app.InitResources(uires));
    const fs::path folder = fs::path(testing::TempDir()) / "app-rules-dialog";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "a-file") << "no folder";
    AppPaths paths;
    paths.dataFolder = QFileInfo(uires).absolutePath().toStdString();
    paths.userFolder = folder;
    paths.configFile = paths.shippedConfigFile = paths.uiFolder() / "config.xml";
    paths.macroFile = folder / "macro.xml";
    LocalKeyboard keyboard(paths, std::make_shared<EmulatedBackend>());
    FrontSwitch rules(keyboard.Operations(), persist::AppRulesFile(folder / "a-file" / "rules.xml"),
                      {});

    AppRulesDlg dialog(rules);
    QString told;
    SOUI::ScopedModalAnswerer answer([&](SOUI::SHostDialog& shown) {
        if (&shown == &dialog) {
            shown.FindChildByName2<SOUI::SComboBox>("rule_app")->Combo()->setEditText("xterm");
            shown.FindChildByName2<SOUI::SButton>("rule_save")->Click();
            return;
        }
        told = shown.GetRoot()->FindChildByName("msgtext")->GetWindowText();
        shown.EndDialog(SOUI::IDOK);
        dialog.EndDialog(SOUI::IDCANCEL);
    });
    // Without the message the dialog would stay: it ends anyway, and the test fails.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] { dialog.EndDialog(SOUI::IDCANCEL); });
    guard.start(10000);
    dialog.DoModal();
    EXPECT_TRUE(told.contains("could not be saved")) << told.toStdString();
    const rules::AppRules held = rules.Current();
    ASSERT_EQ(held.rules.size(), 1u);
    EXPECT_EQ(held.rules.front().app, "xterm");
}

}  // namespace
