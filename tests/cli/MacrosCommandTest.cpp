// Sharing macro groups from the command line: files in, files out, "macro.xml" never damaged.
#include "cli/MacrosCommand.h"

#include "cli/CommandLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "files/TempFolder.h"
#include "ops/KeyboardEndpoint.h"
#include "persist/MacroSharing.h"

namespace {

using persist::MacroGroupContent;

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), {}};
}

void Put(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

MacroGroupContent Group(std::wstring name, int code) {
    return {MacroRecordGpInfo{0, 1, std::move(name)}, {{code, 0, 10, L"K"}, {code, 1, 10, L"K"}}};
}

class MacrosCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.path().empty());
        Put(macroFile, persist::WriteSharedGroups({Group(L"Copy", 46), Group(L"Paste", 47)}));
    }

    int Run(const std::vector<std::string>& arguments) {
        out.str({});
        err.str({});
        const ParsedCommandLine line = ParseCommandLine(arguments);
        EXPECT_TRUE(line.ok()) << line.error;
        const MacrosRequest& request = line.request.macros;
        return request.exporting ? ExportMacros(request, macroFile, out, err)
                                 : ImportMacros(request, macroFile, out, err);
    }

    std::vector<MacroGroupContent> GroupsIn(const std::filesystem::path& file) {
        return persist::ReadSharedGroups(Slurp(file)).groups;
    }

    std::filesystem::path Path(const char* name) const { return (folder / name).string(); }

    files_test::TempFolder folder;
    std::filesystem::path macroFile = Path("macro.xml");
    std::ostringstream out;
    std::ostringstream err;
};

TEST(MacrosCommandLine, BadLinesAreUsageErrors) {
    const std::pair<std::vector<std::string>, const char*> lines[] = {
        {{"macros"}, "needs export or import"},
        {{"macros", "share", "f"}, "not \"share\""},
        {{"macros", "export"}, "needs a FILE"},
        {{"macros", "import"}, "needs a FILE"},
        {{"macros", "import", "a", "b"}, "one FILE"},
        {{"macros", "export", "f", "--all"}, "unknown option \"--all\""},
    };
    for (const auto& [line, error] : lines)
        EXPECT_NE(ParseCommandLine(line).error.find(error), std::string::npos) << error;
    const MacrosRequest chosen =
        ParseCommandLine({"macros", "export", "f", "A", "B c", "--emulate", "--json"})
            .request.macros;
    EXPECT_TRUE(chosen.exporting);
    EXPECT_EQ(chosen.groups, (std::vector<std::string>{"A", "B c"}));
    EXPECT_TRUE(ParseCommandLine({"macros", "import", "--help"}).help);
}

TEST_F(MacrosCommand, ExportedGroupsImportUnderNewNamesBesideTheOldOnes) {
    ASSERT_EQ(Run({"macros", "export", Path("one.xml"), "Paste"}), kExitDone) << err.str();
    ASSERT_EQ(GroupsIn(Path("one.xml")).size(), 1u);
    ASSERT_EQ(Run({"macros", "export", Path("all.xml")}), kExitDone) << err.str();
    ASSERT_EQ(GroupsIn(Path("all.xml")).size(), 2u);

    ASSERT_EQ(Run({"macros", "import", Path("all.xml")}), kExitDone) << err.str();
    const std::vector<MacroGroupContent> groups = GroupsIn(macroFile);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].info.name, L"Copy");
    EXPECT_EQ(groups[2].info.name, L"Copy (2)");
    EXPECT_EQ(groups[3].info.name, L"Paste (2)");
    EXPECT_EQ(groups[3].items, groups[1].items);
    EXPECT_NE(groups[2].info.id, groups[0].info.id);
    EXPECT_NE(out.str().find("\"Copy (2)\""), std::string::npos) << out.str();
}

TEST_F(MacrosCommand, WhatCannotBeImportedChangesNothing) {
    const std::string before = Slurp(macroFile);
    Put(Path("foreign.xml"), "<config><funkey/></config>");
    Put(Path("truncated.xml"), "<record><group name=\"x\" repeat=\"1\">");
    std::vector<MacroGroupContent> many;
    for (int i = 0; i < 9; ++i) many.push_back(Group(L"G" + std::to_wstring(i), 30 + i));
    Put(Path("many.xml"), persist::WriteSharedGroups(many));
    const std::pair<const char*, int> files[] = {
        {"foreign.xml", kExitUsage}, {"truncated.xml", kExitUsage}, {"missing.xml", kExitUsage},
        {".", kExitUsage},           {"many.xml", kExitKeyboard},
    };
    for (const auto& [name, code] : files) {
        EXPECT_EQ(Run({"macros", "import", Path(name)}), code) << name;
        EXPECT_NE(err.str().find("nothing was imported"), std::string::npos) << err.str();
        EXPECT_EQ(Slurp(macroFile), before) << name;
    }
    EXPECT_EQ(Run({"macros", "export", Path("x.xml"), "Copy", "Nope"}), kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(Path("x.xml")));
}

TEST_F(MacrosCommand, AWriteProtectedMacroFileIsNotReplaced) {
    ASSERT_EQ(Run({"macros", "export", Path("all.xml")}), kExitDone);
    const std::string before = Slurp(macroFile);
    ASSERT_EQ(::chmod(macroFile.c_str(), 0444), 0);
    EXPECT_EQ(Run({"macros", "import", Path("all.xml")}), kExitKeyboard);
    EXPECT_NE(err.str().find("cannot be saved"), std::string::npos) << err.str();
    EXPECT_EQ(Slurp(macroFile), before);
}

}  // namespace
