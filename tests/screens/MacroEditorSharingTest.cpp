// The editor's export and import of macro groups, with the file dialog answered by the test.
#include <QTemporaryDir>
#include <fstream>

#include "persist/MacroSharing.h"
#include "support/MacroTestSupport.h"

namespace macrotest {
namespace {

class MacroSharing : public MacroEditorTest {
protected:
    void OpenWith(std::vector<std::wstring> names) {
        for (std::size_t i = 0; i < names.size(); ++i)
            shared->groups.data()[0].push_back(MakeGroup(static_cast<int>(i), names[i], 2));
        shared->params.current().gpsel = 0;
        Open();
        dlg->SetFileChooser([this](QWidget*, bool exporting, const QString& suggested) {
            asked.push_back({exporting, suggested});
            return answer;
        });
    }
    std::vector<std::wstring> Names() {
        std::vector<std::wstring> names;
        for (const auto& g : shared->GroupsNow()) names.push_back(g.info.data()[0].name);
        return names;
    }
    QString File(const char* name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    std::optional<MacroFileChoice> answer;
    std::vector<std::pair<bool, QString>> asked;
};

TEST_F(MacroSharing, ExportSavesTheSelectedGroupOrAllAndImportAddsThemUnderNewNames) {
    OpenWith({L"Copy", L"Paste", L"Undo"});
    SelectGroupRow(1);
    answer = MacroFileChoice{File("one.xml"), false};
    Click("groupExport");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].first);
    EXPECT_EQ(asked[0].second, "Paste.xml");
    const auto one = persist::ReadSharedGroupsFile(File("one.xml").toStdString());
    ASSERT_TRUE(one.ok()) << one.error;
    ASSERT_EQ(one.groups.size(), 1u);
    EXPECT_EQ(one.groups[0].info.name, L"Paste");
    EXPECT_EQ(one.groups[0].items.size(), 2u);
    EXPECT_TRUE(dlg->AssignReason().contains("one.xml")) << dlg->AssignReason().toStdString();

    answer = MacroFileChoice{File("all.xml"), true};
    Click("groupExport");
    EXPECT_EQ(persist::ReadSharedGroupsFile(File("all.xml").toStdString()).groups.size(), 3u);

    answer = MacroFileChoice{File("all.xml"), false};
    Click("groupImport");
    Settle();
    EXPECT_FALSE(asked.back().first);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Copy", L"Paste", L"Undo", L"Copy (2)",
                                                  L"Paste (2)", L"Undo (2)"}));
    EXPECT_EQ(Find<SOUI::SListView>("macro_group")->GetItemCount(), 6);
    EXPECT_EQ(shared->GroupsNow().back().items.data()[0].size(), 2u);
}

TEST_F(MacroSharing, WhatCannotBeImportedOrExportedChangesNothingAndSaysWhy) {
    OpenWith({L"A"});
    {
        std::ofstream(File("foreign.xml").toStdString()) << "<config/>";
        std::vector<persist::MacroGroupContent> many(10, {MacroRecordGpInfo{0, 1, L"M"}, {}});
        std::ofstream(File("many.xml").toStdString()) << persist::WriteSharedGroups(many);
    }
    const std::pair<const char*, const char*> files[] = {
        {"foreign.xml", "<config>"},
        {"missing.xml", "is not a file"},
        {"many.xml", "at most 10 groups"},
    };
    for (const auto& [name, why] : files) {
        answer = MacroFileChoice{File(name), false};
        Click("groupImport");
        Settle();
        EXPECT_EQ(Names(), std::vector<std::wstring>{L"A"}) << name;
        EXPECT_TRUE(dlg->AssignReason().contains("Nothing was imported")) << name;
        EXPECT_TRUE(dlg->AssignReason().contains(why)) << dlg->AssignReason().toStdString();
    }
    answer = MacroFileChoice{File("no/such/folder/x.xml"), false};
    Click("groupExport");
    EXPECT_TRUE(dlg->AssignReason().contains("cannot be written"));
    // A cancelled dialog does nothing.
    answer.reset();
    const QString before = dlg->AssignReason();
    Click("groupImport");
    Click("groupExport");
    EXPECT_EQ(dlg->AssignReason(), before);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"A"});
}

}  // namespace
}  // namespace macrotest
