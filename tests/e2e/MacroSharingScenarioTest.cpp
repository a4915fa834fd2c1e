// Sharing macro groups from the editor: the user exports a group through the file dialog,
// imports the file again, and finds a renamed copy beside the original.
#include <filesystem>
#include <fstream>

#include "persist/MacroSharing.h"
#include "support/Scenario.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class MacroSharingScenario : public Scenario {
protected:
    QStringList GroupRows() {
        QStringList labels;
        for (const Control& row : a11y_->Rows("macro_group")) labels << row.label;
        return labels;
    }
};

TEST_F(MacroSharingScenario, AGroupExportedAndImportedAgainIsAddedUnderANewName) {
    fs::create_directories(program_->macroFile().parent_path());
    const std::vector<persist::MacroGroupContent> hello{
        {MacroRecordGpInfo{0, 1, L"Hello"}, {{35, 0, 20, L"H"}, {35, 1, 20, L"H"}}}};
    std::ofstream(program_->macroFile(), std::ios::binary) << persist::WriteSharedGroups(hello);
    ASSERT_TRUE(StartProgram());
    ClickLabelled("Keys");
    ClickKey("cbimg_macro_record", "A");
    WaitForControl("macro_group");
    ASSERT_TRUE(WaitUntil([&] { return GroupRows() == QStringList{"Hello"}; }))
        << WithScreen("the editor does not list the group");

    const fs::path shared = program_->macroFile().parent_path() / "shared-hello.xml";
    Click("groupExport");
    AnswerFileDialog("Export macro groups", shared);
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(shared); })) << "nothing was exported";
    const persist::SharedGroupsRead exported = persist::ReadSharedGroupsFile(shared);
    ASSERT_TRUE(exported.ok()) << exported.error;
    ASSERT_EQ(exported.groups.size(), 1u);
    EXPECT_EQ(exported.groups[0].info.name, L"Hello");
    EXPECT_EQ(exported.groups[0].items, hello[0].items);

    Click("groupImport");
    AnswerFileDialog("Import macro groups", shared);
    ASSERT_TRUE(WaitUntil([&] {
        return GroupRows() == QStringList({"Hello", "Hello (2)"});
    })) << WithScreen("the imported group is not listed under a new name");
    EXPECT_FALSE(a11y_->FindLabelled("Imported \"Hello (2)\".").empty())
        << WithScreen("the editor does not say what it imported");
    ASSERT_TRUE(WaitUntil([&] { return MacroFile().groups.size() == 2; }))
        << "macro.xml: " << MacroFileText();
    EXPECT_EQ(MacroFile().groups[0].items, hello[0].items);
    EXPECT_EQ(MacroFile().groups[1].items, hello[0].items);
}

}  // namespace
}  // namespace e2e
