#include "persist/MacroFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "files/FailingFileCalls.h"
#include "files/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using files::FileReplacer;
using files::FileSystemCalls;
using files_test::FailingFileCalls;
using files_test::ReadText;
using files_test::TempFolder;
using files_test::WriteText;
using Steps = std::list<MacroRecordGpItem>;
using Groups = std::list<MacroRecordGroup>;

MacroRecordGroup MakeGroup(MacroRecordGpInfo info, Steps steps) {
    MacroRecordGroup group;
    group.info.current() = std::move(info);
    group.items.current() = std::move(steps);
    return group;
}

// Every field differs from its neighbours and from 0, so a field written under the wrong name
// or read into the wrong place shows.
const MacroRecordParam kSettings{1, 2, 30, 4, 5, 6, 7, 250, 9};

Groups SampleGroups() {
    return {MakeGroup({0, 3, L"Copy \"all\" & <paste>"}, {{0x1D, 0, 40, L"Left Ctrl"},
                                                          {0x2E, 0, 32767, L"C"},
                                                          {0x2E, 1, 0, L"C"},
                                                          {0x11D, 1, 17, L"\u53f3Ctrl\ttab"}}),
            MakeGroup({-1, 255, L""}, {}),
            MakeGroup({9, 0, L"\U0001F600 name"}, {{2147483647, 1, 1, L""}})};
}

// Counts the files written and remembers the thread that wrote the last one.
class CountingCalls : public FileSystemCalls {
public:
    int Rename(const char* from, const char* to) override {
        writer = std::this_thread::get_id();
        ++renames;
        return FileSystemCalls::Rename(from, to);
    }

    std::atomic<int> renames{0};
    std::thread::id writer;
};

// Another holder of both groups, publishing as the macro editor does; each publication is
// waited for.
struct Editor {
    void Publish(const MacroRecordParam& value, bool force = false) {
        settings.set(value, shapes::kApply, false, force);
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
    }
    void Publish(const Groups& value, bool force = false) {
        groups.assign(&value, 1, 0, false, force);
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
    }

    MacroFile::SettingsShape settings;
    MacroFile::GroupsShape groups;
};

class MacroFileTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(ShapeDispatcher::waitIdle()); }

    fs::path File() const { return folder / "macro.xml"; }

    // Saves the sample values through a holder that is gone afterwards.
    void SaveSample() const {
        MacroFile file(File());
        Editor editor;
        editor.Publish(kSettings);
        editor.Publish(SampleGroups());
    }

    // What a fresh holder loads from the file, with no other member of the groups alive.
    static void ExpectFileHolds(const fs::path& file, const MacroRecordParam& settings,
                                const Groups& groups) {
        const MacroFile reloaded(file);
        EXPECT_EQ(reloaded.settings().current(), settings);
        EXPECT_EQ(reloaded.groups().current(), groups);
    }

    TempFolder folder;
};

TEST_F(MacroFileTest, MissingFileLoadsNothingAndWritesNothing) {
    {
        const MacroFile file(File());
        ASSERT_EQ(file.settings().count, 1u);
        EXPECT_EQ(file.settings().current(), MacroRecordParam{});
        ASSERT_EQ(file.groups().count, 1u);
        EXPECT_TRUE(file.groups().current().empty());
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
    }
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(MacroFileTest, MalformedFileLoadsNothingAndIsLeftAlone) {
    const std::string broken = "<record page=\"3\"><group id=\"1\">";
    WriteText(File(), broken);
    {
        const MacroFile file(File());
        EXPECT_EQ(file.settings().current(), MacroRecordParam{});
        EXPECT_TRUE(file.groups().current().empty());
    }
    EXPECT_EQ(ReadText(File()), broken);
}

// Values past the limits every macro file shares are brought within them; every group stays.
TEST_F(MacroFileTest, LoadsGroupsWithTheirReadingRules) {
    std::string steps, groups;
    for (int i = 0; i < 110; ++i) steps += "<step code=\"30\" state=\"0\" delay=\"1\"/>";
    for (int i = 0; i < 10; ++i) groups += "<group/>";
    WriteText(File(),
              "<Record page=\"2\" PERIOD=\"80\"><macro name=\"M\" repeat=\"-5\"><step "
              "code=\"30\" state=\"4294967295\" delay=\"40000\" name=\"A\"/></macro>"
              "<macro name=\"" +
                  std::string(40, 'n') + "\" repeat=\"300\">" + steps + "</macro>" + groups +
                  "</Record>");
    const MacroFile file(File());
    EXPECT_EQ(file.settings().current(), (MacroRecordParam{2, 0, 0, 0, 0, 0, 0, 80, 0}));
    ASSERT_EQ(file.groups().current().size(), 12u);
    const MacroRecordGroup& group = file.groups().current().front();
    EXPECT_EQ(group.info.current(), (MacroRecordGpInfo{0, 0, L"M"}));
    EXPECT_EQ(group.items.current(), (Steps{{30, 1, 32767, L"A"}}));
    EXPECT_EQ(group.info.count, 1u);
    EXPECT_EQ(group.items.count, 1u);
    const MacroRecordGroup& cut = *std::next(file.groups().current().begin());
    EXPECT_EQ(cut.info.current(), (MacroRecordGpInfo{0, 255, std::wstring(37, L'n')}));
    EXPECT_EQ(cut.items.current().size(), 109u);
}

TEST_F(MacroFileTest, LaterHoldersStartFromTheLoadedValues) {
    SaveSample();
    const MacroFile file(File());
    const Editor editor;
    EXPECT_EQ(editor.settings.current(), kSettings);
    EXPECT_EQ(editor.groups.current(), SampleGroups());
}

TEST_F(MacroFileTest, EveryFieldOfEveryRecordSurvivesSaveAndLoad) {
    {
        MacroFile file(File());
        Editor editor;
        editor.Publish(kSettings);
        editor.Publish(SampleGroups());
        EXPECT_EQ(file.settings().current(), kSettings);
        EXPECT_EQ(file.groups().current(), SampleGroups());
    }
    ExpectFileHolds(File(), kSettings, SampleGroups());
}

TEST_F(MacroFileTest, SavesOnTheDispatcherThread) {
    auto calls = std::make_shared<CountingCalls>();
    MacroFile file(File(), FileReplacer(calls));
    Editor editor;
    editor.Publish(kSettings);
    EXPECT_EQ(calls->renames.load(), 1);
    EXPECT_NE(calls->writer, std::this_thread::get_id());
}

TEST_F(MacroFileTest, UnchangedPublicationsWriteNothingAndForcedOnesWrite) {
    SaveSample();
    auto calls = std::make_shared<CountingCalls>();
    MacroFile file(File(), FileReplacer(calls));
    Editor editor;

    editor.settings.fireOthers(shapes::kApply, false);
    editor.groups.fireOthers(shapes::kApply, false);
    editor.groups.fireAll(shapes::kApply, false);
    editor.Publish(SampleGroups());
    editor.Publish(kSettings);
    EXPECT_EQ(calls->renames.load(), 0);

    editor.Publish(kSettings, true);
    EXPECT_EQ(calls->renames.load(), 1);
    editor.Publish(SampleGroups(), true);
    EXPECT_EQ(calls->renames.load(), 2);
}

TEST_F(MacroFileTest, RenamedGroupRewritesTheNameAndKeepsTheSteps) {
    MacroFile file(File());
    Editor editor;
    editor.Publish(SampleGroups());
    const std::string before = ReadText(File());

    Groups renamed = SampleGroups();
    std::next(renamed.begin())->info.current().name = L"Renamed";
    editor.Publish(renamed);

    const std::string after = ReadText(File());
    EXPECT_NE(after.find("name=\"Renamed\""), std::string::npos);
    EXPECT_EQ(after.find("repeat=\"255\" name=\"\""), std::string::npos);
    // Only the one heading changed.
    std::string expected = before;
    const std::string oldHeading = "repeat=\"255\" name=\"\"";
    expected.replace(expected.find(oldHeading), oldHeading.size(),
                     "repeat=\"255\" name=\"Renamed\"");
    EXPECT_EQ(after, expected);
}

TEST_F(MacroFileTest, TheSelectionFollowsItsGroupWhenTheListIsReordered) {
    MacroFile file(File());
    Editor editor;
    const Groups groups = SampleGroups();
    editor.Publish(groups);
    MacroRecordParam settings = kSettings;
    settings.gpsel = 0;
    editor.Publish(settings);

    // The first group goes to the end, as a macro read back from the keyboard does.
    Groups reordered = groups;
    reordered.splice(reordered.end(), reordered, reordered.begin());
    editor.Publish(reordered);
    EXPECT_EQ(file.settings().current().gpsel, 2);
    EXPECT_EQ(editor.settings.current().gpsel, 2);
    ExpectFileHolds(File(), file.settings().current(), reordered);

    // A renamed group keeps its place and its selection.
    reordered.back().info.current().name = L"Renamed";
    editor.Publish(reordered);
    EXPECT_EQ(file.settings().current().gpsel, 2);
    // Two groups of the selected name: nothing tells which one, so nothing moves.
    reordered.front().info.current().name = L"Renamed";
    Groups ambiguous = reordered;
    ambiguous.splice(ambiguous.begin(), ambiguous, std::prev(ambiguous.end()));
    editor.Publish(ambiguous);
    EXPECT_EQ(file.settings().current().gpsel, 2);
}

TEST_F(MacroFileTest, ItemEditsOfAnotherHolderAreSaved) {
    {
        MacroFile file(File());
        Editor editor;
        editor.Publish(SampleGroups());
        editor.groups.moveDown(0);
        editor.groups.erase(2);
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
    }
    Groups expected = SampleGroups();
    expected.push_front(*std::next(expected.begin()));
    expected.erase(std::next(expected.begin(), 2), expected.end());
    // The selected first group moved down one place, and the selection with it.
    MacroRecordParam settings{};
    settings.gpsel = 1;
    ExpectFileHolds(File(), settings, expected);
}

TEST_F(MacroFileTest, MissingFolderFailsSilentlyAndTheNextChangeTriesAgain) {
    const fs::path missing = folder / "later" / "macro.xml";
    MacroFile file(missing);
    Editor editor;
    editor.Publish(SampleGroups());
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    EXPECT_EQ(file.groups().current(), SampleGroups());

    fs::create_directory(missing.parent_path());
    editor.Publish(kSettings);
    EXPECT_TRUE(fs::exists(missing));
    // The failed write lost nothing: the later save carries both changes.
    EXPECT_EQ(file.settings().current(), kSettings);
}

TEST_F(MacroFileTest, FailedWritesLeaveTheOldFileAndMemoryIntact) {
    using Step = FailingFileCalls::Step;
    const MacroRecordParam changed{8, 8, 8, 8, 8, 8, 8, 8, 8};
    for (Step step : {Step::Open, Step::WriteHalf, Step::Sync, Step::Rename}) {
        SaveSample();
        const std::string old = ReadText(File());
        {
            // A read-only folder (EROFS at the open) or a save that breaks off half-way.
            MacroFile failing(File(), FileReplacer(std::make_shared<FailingFileCalls>(
                                          step, step == Step::Open ? EROFS : EIO)));
            Editor editor;
            editor.Publish(changed);
            editor.Publish(Groups{});
            EXPECT_FALSE(failing.Save());
            EXPECT_EQ(failing.settings().current(), changed);
            EXPECT_TRUE(failing.groups().current().empty());
        }
        EXPECT_EQ(ReadText(File()), old) << static_cast<int>(step);
        ExpectFileHolds(File(), kSettings, SampleGroups());
        EXPECT_EQ(files_test::EntryCount(folder.path()), 1u);
    }
}

TEST_F(MacroFileTest, DestroyedRightAfterAChangeIsQueued) {
    const Groups groups = SampleGroups();
    {
        MacroFile::GroupsShape editorGroups;
        for (int round = 0; round < 20; ++round) {
            MacroFile file(File());
            editorGroups.assign(&groups, 1, 0, false, true);
        }
        ASSERT_TRUE(ShapeDispatcher::waitIdle());
    }
    // Whichever saves ran before their holder went away, the file is whole.
    if (fs::exists(File())) {
        ExpectFileHolds(File(), MacroRecordParam{}, groups);
    }
}

}  // namespace
