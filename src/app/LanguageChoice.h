#pragma once
// The window's choice of language: kept in "config.xml" and shown from the next start, since
// the layouts are translated as they load.
#include <filesystem>
#include <string>

#include "ui/WinDefs.h"

class LanguageChoice {
public:
    // `userFile` is written; `readFile` is the "config.xml" read at start-up.
    LanguageChoice(std::filesystem::path userFile, std::filesystem::path readFile)
        : userFile_(std::move(userFile)), readFile_(std::move(readFile)) {}

    // Saves the language ("en" or "cn") and tells the user when it applies, or why it could not
    // be saved.
    void Choose(SOUI::HWND owner, const std::wstring& language) const;

private:
    std::filesystem::path userFile_;
    std::filesystem::path readFile_;
};
