#pragma once
// "rules.xml", the user's rules of applications to profiles:
//
//   <rules enabled="true">
//     <rule app="xterm" profile="1" mode="Wave"/>
//     <otherwise profile="0"/>
//   </rules>
//
// A rule without a mode leaves the profile's own; without <otherwise> the keyboard stays as it
// is for other applications. A rule that names no application or no profile from 0 is left out.
#include <filesystem>
#include <optional>
#include <string>

#include "files/FileReplacer.h"
#include "records/AppRules.h"

namespace persist {

std::string RulesText(const rules::AppRules& rules);
// None when the text is not such a document.
std::optional<rules::AppRules> ReadRulesText(const std::string& text);

class AppRulesFile {
public:
    explicit AppRulesFile(std::filesystem::path file,
                          files::FileReplacer replacer = files::FileReplacer());

    // The rules in the file; none (turned off) when it is missing or unreadable. An unreadable
    // one is kept aside before the first save replaces it.
    rules::AppRules Load();

    struct Saved {
        std::string error;                          // empty when saved
        std::optional<std::filesystem::path> kept;  // where an unreadable file was kept first
    };
    // Replaces the file in one step; a write-protected file is left as it is.
    Saved Save(const rules::AppRules& rules);

    const std::filesystem::path& path() const { return file_; }

private:
    std::filesystem::path file_;
    files::FileReplacer replacer_;
    bool damaged_ = false;
};

}  // namespace persist
