// A user's "macro.xml" that is write-protected or damaged: the first change tells the user once
// in the window, and nothing the file held is lost.
#include <fstream>

#include "support/Scenario.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const char* const kWarning = "Warning";

class MacroFileScenario : public Scenario {
protected:
    void WriteMacroFile(const std::string& text) {
        fs::create_directories(program_->macroFile().parent_path());
        std::ofstream(program_->macroFile(), std::ios::binary) << text;
    }

    // Adds a group in the editor of key A: a change that "macro.xml" is saved for.
    void AddAGroup() {
        const size_t before = a11y_->Rows("macro_group").size();
        Click("groupAdd");
        ASSERT_TRUE(WaitUntil([&] { return a11y_->Rows("macro_group").size() == before + 1; }))
            << WithScreen("no group was added");
    }

    // Waits for the warning that says `text`, checks it is on screen and answers it with Enter.
    void AnswerTheWarning(const QString& text) {
        ASSERT_TRUE(WaitUntil([&] { return WindowsTitled(kWarning) == 1; }))
            << WithScreen("the window does not say anything about the macro file");
        const std::vector<Control> said = a11y_->FindLabelled(text);
        ASSERT_FALSE(said.empty()) << WithScreen("the warning does not say: " + text.toStdString());
        EXPECT_TRUE(ShowsContent(said.front().screen)) << WithScreen("the warning's text is blank");
        input_->Key("Return");
        ASSERT_TRUE(WaitUntil([&] { return WindowsTitled(kWarning) == 0; }));
    }

    std::vector<fs::path> DamagedCopies() const {
        std::vector<fs::path> copies;
        for (const auto& entry : fs::directory_iterator(program_->macroFile().parent_path()))
            if (entry.path().filename().string().starts_with("macro.xml.damaged-"))
                copies.push_back(entry.path());
        return copies;
    }

    void OpenEditorForA() {
        ClickLabelled("Keys");
        ClickKey("cbimg_macro_record", "A");
        WaitForControl("macro_group");
    }
};

TEST_F(MacroFileScenario, AWriteProtectedFileStaysAsItIsAndTheUserIsToldOnce) {
    const std::string kept =
        "<record page=\"0\" gpsel=\"0\"><group id=\"0\" repeat=\"1\" "
        "name=\"Kept\"/></record>\n";
    WriteMacroFile(kept);
    fs::permissions(program_->macroFile(), fs::perms::owner_read | fs::perms::group_read);
    ASSERT_TRUE(StartProgram());
    OpenEditorForA();
    AddAGroup();
    AnswerTheWarning(QString("Macro changes cannot be saved: %1 is write-protected or cannot be "
                             "written.")
                         .arg(QString::fromStdString(program_->macroFile().string())));
    AddAGroup();
    EXPECT_FALSE(WaitUntil([&] { return WindowsTitled(kWarning) > 0; }, std::chrono::seconds(2)))
        << WithScreen("the warning came again");
    EXPECT_EQ(MacroFileText(), kept);
}

TEST_F(MacroFileScenario, ADamagedFileIsKeptBesideItselfBeforeTheFirstChange) {
    const std::string damaged = "<record page=\"0\"><group id=\"0\" name=\"Half";
    WriteMacroFile(damaged);
    ASSERT_TRUE(StartProgram());
    OpenEditorForA();
    AddAGroup();
    ASSERT_TRUE(WaitUntil([&] { return DamagedCopies().size() == 1; }))
        << "the damaged file was not kept";
    const fs::path copy = DamagedCopies().front();
    std::ifstream in(copy, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
    AnswerTheWarning(QString("The macro file could not be read. It was kept as %1, and a new one "
                             "was started.")
                         .arg(QString::fromStdString(copy.string())));
    // The new file holds the group just added.
    EXPECT_TRUE(WaitUntil([&] { return MacroFile().groups.size() == 1; }))
        << "the new macro file: " << MacroFileText();
}

}  // namespace
}  // namespace e2e
