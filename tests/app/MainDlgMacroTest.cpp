// Macros recorded from the main window: the key picture on the keys page opens the editor,
// and what it records reaches the keyboard, the picture and "macro.xml", and survives a restart.
#include <QFileInfo>

#include "AppTestSupport.h"
#include "emulator/EmulatedBackend.h"
#include "emulator/VirtualKeyboard.h"
#include "persist/MacroDocument.h"
#include "persist/MacroFile.h"
#include "screens/support/UserInput.h"
#include "store/ShapeDispatcher.h"
#include "widgets/CoordButtonImage.h"

namespace {

using namespace SOUI;

constexpr unsigned kKeyA = 30;  // input layer codes
constexpr unsigned kKeyB = 48;

class MainWindowMacros : public apptest::AppTest {
protected:
    // Where the program's own coordinates files are: beside its UI folder.
    QString ProgramFolderPath() const override {
        return QFileInfo(apptest::UiFolder()).absolutePath();
    }
    void SetUp() override {
        AppTest::SetUp();
        file = programFolder.filePath("macro.xml").toStdString();
        macros = std::make_unique<MacroFile>(file);
        backend = std::make_shared<EmulatedBackend>();
        window = StartMainWindow(backend);
        ASSERT_TRUE(window->KeyboardOpen());
        auto* tabs = window->GetRoot()->FindChildByName2<STabCtrl>(QStringLiteral("tab_main"));
        ASSERT_NE(tabs, nullptr);
        tabs->SetCurSel(1);
        userinput::Settle();
        picture = window->GetRoot()->FindChildByName2<CoordButtonImage>(
            QStringLiteral("cbimg_macro_record"));
        ASSERT_NE(picture, nullptr);
    }
    void TearDown() override {
        window.reset();
        ShapeDispatcher::waitIdle();
        macros.reset();
        AppTest::TearDown();
    }
    // Clicks a key of the picture; the editor that opens records the keys typed and confirms.
    void RecordOnKey(int position, std::initializer_list<unsigned> keys) {
        ScopedModalAnswerer answer([&](SHostDialog& editor) {
            ++editorsShown;
            userinput::PressIn(editor, "groupAdd");
            userinput::PressIn(editor, "chk_macro_record");
            for (unsigned key : keys) userinput::TypeIn(editor, key);
            userinput::PressIn(editor, "btnOK");
        });
        userinput::ClickKey(*app, *picture, position);
    }
    macro_code_t KeyCode(int position) const {
        const int index = picture->Items().at(static_cast<std::size_t>(position)).index;
        return backend->Keyboard().KeyCodes()[static_cast<std::size_t>(index)];
    }
    std::vector<int> MacroUsages(int position) const {
        std::vector<int> usages;
        const macro_code_t code = KeyCode(position);
        if (code.type() != 3) return usages;
        const macro_block_t block = backend->Keyboard().Macro(code.value());
        for (std::size_t i = 0; i < block.stepCount(); ++i) usages.push_back(block.steps[i].key);
        return usages;
    }

    std::filesystem::path file;
    std::unique_ptr<MacroFile> macros;
    std::shared_ptr<EmulatedBackend> backend;
    std::unique_ptr<CMainDlg> window;
    CoordButtonImage* picture = nullptr;
    int editorsShown = 0;
};

TEST_F(MainWindowMacros, RecordedMacrosAreAssignedMarkedSavedAndDeleted) {
    RecordOnKey(20, {kKeyA});
    RecordOnKey(21, {kKeyB});
    EXPECT_EQ(editorsShown, 2);
    EXPECT_EQ(MacroUsages(20), (std::vector<int>{0x04, 0x04}));
    EXPECT_EQ(MacroUsages(21), (std::vector<int>{0x05, 0x05}));
    EXPECT_EQ(picture->Items()[20].checked, 1);
    EXPECT_EQ(picture->Items()[21].checked, 1);
    EXPECT_EQ(picture->Items()[22].checked, 0);

    ShapeDispatcher::waitIdle();
    // What the next start of the program reads.
    pugi::xml_document saved;
    ASSERT_TRUE(saved.load_file(file.c_str()));
    const persist::MacroContent content = persist::ReadMacroDocument(saved);
    ASSERT_EQ(content.groups.size(), 2u);
    EXPECT_EQ(content.groups[0].items.size(), 2u);
    EXPECT_EQ(content.groups[1].items.size(), 2u);

    ScopedModalAnswerer remove(
        [&](SHostDialog& editor) { userinput::PressIn(editor, "btnDelete"); });
    userinput::ClickKey(*app, *picture, 20);
    EXPECT_EQ(KeyCode(20).code(), 0);
    EXPECT_EQ(picture->Items()[20].checked, 0);
    EXPECT_EQ(MacroUsages(21), (std::vector<int>{0x05, 0x05}));
    EXPECT_TRUE(window->IsWindow());
}

}  // namespace
