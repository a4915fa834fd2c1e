#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "cli/CommandLine.h"
#include "cli/CommandRegistry.h"
#include "cli/StatusText.h"
#include "ops/SetCheck.h"
#include "ops/SettingText.h"
#include "ops/StatusReport.h"
#include "persist/BackupModeRegister.h"

namespace {

using lighting::SettingRow;

// The value of a row that only its own capabilities offer, in its written form.
std::string Sample(const SettingRow& row) {
    switch (row.kind) {
        case lighting::Kind::Number:
            return std::to_string(row.high);
        case lighting::Kind::Colour:
            return "#12AB56";
        case lighting::Kind::Choice:
            return std::string(row.choices.back().name);
    }
    return {};
}

// Every row goes the whole way under its one name: the option, the bus key, the register, the
// status report and its text, the mode list and the backup.
TEST(LightingSettings, EveryRowReachesEverySurface) {
    for (const SettingRow& row : lighting::Rows()) {
        const std::string text = Sample(row), key(row.key), option = lighting::Option(row);
        SCOPED_TRACE(key + " = " + text);
        const ParsedCommandLine parsed = ParseCommandLine({"set", "--" + option, text});
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        const auto value = parsed.request.set[row.id];
        ASSERT_TRUE(value);
        SetRequest bus;
        EXPECT_FALSE(settingtext::Apply(bus, key, text));
        EXPECT_EQ(bus.settings, parsed.request.set.settings);
        EXPECT_EQ(settingtext::ToTexts(bus), (decltype(settingtext::ToTexts(bus)){{key, text}}));

        KeyboardStatus status;
        status.presence = KeyboardStatus::Presence::Connected;
        status.profileCount = 1;
        status.modes = {{"Only", row.capability}};
        const SetCheckResult checked = CheckSet(parsed.request.set, status);
        ASSERT_TRUE(checked.error.empty()) << checked.error;
        ASSERT_TRUE(checked.plan.ApplyTo(status.reg));
        EXPECT_EQ(lighting::Read(row, status.reg, row.capability), *value);

        const nlohmann::json report = StatusJson(status, {});
        const nlohmann::json& shown = report["mode"][key];
        EXPECT_EQ(shown.is_number() ? std::to_string(shown.get<int>()) : shown.get<std::string>(),
                  text);
        EXPECT_NE(StatusText(report).find(lighting::Label(row) + ": " + text), std::string::npos);
        EXPECT_EQ(ModesJson(status)["modes"][0]["settings"][0].get<std::string>().find(option), 0u);

        const nlohmann::json backup = persist::WriteModeRegister(status.reg);
        ASSERT_TRUE(backup.contains(key));
        EXPECT_EQ(persist::ReadModeRegister(backup, "/m"), status.reg);
    }
}

std::set<std::string> OptionsIn(const std::string& text) {
    std::set<std::string> options;
    const std::regex option(R"(--[a-z][a-z-]*)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    return options;
}

// The part of FILE from the first line holding START to the first line after it holding END.
std::string Part(const char* file, const std::string& start, const std::string& end) {
    std::ifstream in(std::string(KEYLUME_SOURCE_DIR) + "/packaging/" + file);
    std::string line, part;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!inside && line.find(start) != std::string::npos) inside = true;
        if (inside) part += std::regex_replace(line, std::regex(R"(\\-)"), "-") + "\n";
        if (inside && line.find(end) != std::string::npos && part.size() > line.size() + 1) break;
    }
    return part;
}

// The completion offers what the command registry lists (its own test checks that).
TEST(LightingSettings, ManualAndCommandLineOfferExactlyTheOptionsOfSet) {
    std::set<std::string> wanted;
    for (const std::string_view name : settingtext::SettingNames())
        wanted.insert("--" + std::string(name));
    EXPECT_EQ(OptionsIn(Part("keylume.1", ".BI \"set \"", ".RE")), wanted);
    std::set<std::string> registered;
    for (const CommandOption& option : FindCommand("set")->options)
        registered.insert("--" + option.name);
    EXPECT_EQ(registered, wanted);
}

}  // namespace
