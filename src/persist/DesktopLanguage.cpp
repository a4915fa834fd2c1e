#include "persist/DesktopLanguage.h"

#include <sstream>

namespace persist {
namespace {

// "cn" for Chinese, "en" for English, empty for a language the program has no texts in.
std::wstring OwnLanguage(const std::string& locale) {
    if (locale.rfind("zh", 0) == 0) return L"cn";
    if (locale.rfind("en", 0) == 0) return L"en";
    return {};
}

std::string Value(const EnvironmentLookup& lookup, const char* name) {
    const char* value = lookup(name);
    return value ? value : "";
}

}  // namespace

std::wstring DesktopLanguage(const EnvironmentLookup& lookup, const std::string& systemLocale) {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = Value(lookup, name);
        if (!locale.empty()) break;
    }
    if (locale != "C" && locale != "POSIX") {
        std::istringstream list(Value(lookup, "LANGUAGE"));
        for (std::string entry; std::getline(list, entry, ':');)
            if (std::wstring own = OwnLanguage(entry); !own.empty()) return own;
    }
    if (locale.empty()) locale = systemLocale;
    // Any other language reads the English texts.
    return OwnLanguage(locale) == L"cn" ? L"cn" : L"en";
}

}  // namespace persist
