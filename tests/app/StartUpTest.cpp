#include <gtest/gtest.h>

#include <QSet>

#include "AppTestSupport.h"
#include "app/DeviceBackends.h"
#include "app/PresenceMessages.h"
#include "app/StartUp.h"
#include "device/HidDiscovery.h"
#include "device/HidPath.h"

namespace {

using apptest::AppTest;

TEST(LanguageChoice, OnlyExactlyCnSelectsChinese) {
    EXPECT_EQ(TranslatorFor(L"cn"), QStringLiteral("translator:lang_cn"));
    for (const wchar_t* other : {L"CN", L"zh", L"", L"cn ", L"en", L"Cn"})
        EXPECT_EQ(TranslatorFor(other), QStringLiteral("translator:lang_en")) << other;
}

TEST_F(AppTest, BothTranslationsLoadAndCoverTheUserMessages) {
    ASSERT_TRUE(app->LoadTranslator(TranslatorFor(L"cn")));
    EXPECT_EQ(app->Tr("Warning"), QString::fromUtf8("警告"));
    EXPECT_EQ(app->Tr("Please insert USB device"), QString::fromUtf8("请插入USB设备"));
    const int chinese = app->GetTranslator()->Count();
    ASSERT_TRUE(app->LoadTranslator(TranslatorFor(L"en")));
    EXPECT_EQ(app->Tr("Please update to the latest firmware to use"),
              QStringLiteral("Please update to the latest firmware to use"));
    EXPECT_EQ(app->GetTranslator()->Count(), chinese);
}

TEST_F(AppTest, InstanceNameIsTheSecondStringOfTheTable) {
    EXPECT_EQ(app->GetString(1), QStringLiteral("keylume.instance"));
}

TEST(EmulatedBackends, EachSetupPresentsWhatItsNameSays) {
    const int keyboard[] = {kKeyboardProductId};
    const int old[] = {kOldFirmwareProductIds[0], kOldFirmwareProductIds[1]};
    auto working = MakeHidBackend(Emulation::Keyboard, {});
    EXPECT_FALSE(FindHidInterfaces(*working, keyboard, 1).empty());
    EXPECT_TRUE(FindHidInterfaces(*working, old, 2).empty());
    auto outdated = MakeHidBackend(Emulation::OldFirmware, {});
    EXPECT_TRUE(FindHidInterfaces(*outdated, keyboard, 1).empty());
    EXPECT_FALSE(FindHidInterfaces(*outdated, old, 2).empty());
    auto absent = MakeHidBackend(Emulation::Absent, {});
    EXPECT_TRUE(FindHidInterfaces(*absent, keyboard, 1).empty());
    EXPECT_TRUE(FindHidInterfaces(*absent, old, 2).empty());
}

TEST(EmulatedBackends, StateFileFollowsTheUsersConfigFolder) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(EmulatedKeyboardStateFile(),
              std::filesystem::path("/somewhere/config/keylume/emulated-keyboard.state"));
    // A relative value does not count, as the desktop's rules say.
    qputenv("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(EmulatedKeyboardStateFile().parent_path().parent_path().filename(), ".config");
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

// The emulator may be the first to need the user's folder; it makes it for the user alone.
TEST(EmulatedBackends, TheFolderMadeForTheStateFileIsTheUsersAlone) {
    QTemporaryDir home;
    const std::filesystem::path folder =
        std::filesystem::path(home.path().toStdString()) / "config" / "keylume";
    MakeHidBackend(Emulation::Keyboard, folder / "emulated-keyboard.state");
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
}

// The emulated keyboard's settings and "macro.xml" of an installed program share one folder,
// whatever the environment says.
TEST(EmulatedBackends, StateFileSitsWithTheUsersOtherFiles) {
    struct Case {
        const char* what;
        const char* configHome;
        const char* home;
    };
    const Case cases[] = {
        {"no HOME", nullptr, nullptr},
        {"empty HOME", nullptr, ""},
        {"HOME only", nullptr, "/home/someone"},
        {"relative config home without HOME", "relative", nullptr},
        {"absolute config home", "/somewhere/config", "/home/someone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        apptest::ScopedVariable configHome("XDG_CONFIG_HOME", c.configHome);
        apptest::ScopedVariable home("HOME", c.home);
        const AppPaths installed =
            AppPaths::Resolve("/nonexistent/bin/keylume", AppPaths::Environment::FromProcess());
        EXPECT_EQ(EmulatedKeyboardStateFile(), installed.userFolder / "emulated-keyboard.state");
    }
}

}  // namespace

namespace {

// Texts a document shows: "text", "tip" and "title" attributes anywhere in it.
void CollectTexts(pugi::xml_node node, QSet<QString>& texts) {
    for (const char* name : {"text", "tip", "title"}) {
        const QString text = QString::fromUtf8(node.attribute(name).value());
        if (!text.isEmpty()) texts.insert(text);
    }
    for (pugi::xml_node child : node.children()) CollectTexts(child, texts);
}

QSet<QString> Sources(const SOUI::SResProviderFiles& res, const char* translation) {
    pugi::xml_document doc;
    QSet<QString> sources;
    if (!res.LoadXml(translation, doc)) return sources;
    for (pugi::xml_node text : doc.child("language").children("text"))
        if (*text.attribute("dst").value())
            sources.insert(QString::fromUtf8(text.attribute("src").value()));
    return sources;
}

TEST_F(AppTest, EveryShownTextHasAnEnglishAndAChineseEntry) {
    QSet<QString> shown{"Warning", "Please insert USB device",
                        "Please update to the latest firmware to use",
                        "Failed to start the upgrade exe", QString::fromUtf8(kNoPermissionText)};
    for (const char* resource :
         {"LAYOUT:XML_MAINWND", "LAYOUT:app_rules", "SMENU:menu_tray", "SMENUEX:menu_more"}) {
        pugi::xml_document doc;
        ASSERT_TRUE(app->GetResProvider().LoadXml(resource, doc)) << resource;
        CollectTexts(doc.document_element(), shown);
    }
    EXPECT_TRUE(shown.contains("Lighting"));
    EXPECT_TRUE(shown.contains("Check device"));
    for (const char* translation : {"translator:lang_en", "translator:lang_cn"}) {
        const QSet<QString> entries = Sources(app->GetResProvider(), translation);
        for (const QString& text : shown)
            EXPECT_TRUE(entries.contains(text)) << translation << ": " << text.toStdString();
    }
}

}  // namespace
