#pragma once

#include <functional>
#include <string>

namespace persist {

// The language of the program's texts ("cn" or "en") the desktop asks for, read as gettext
// reads it: LANGUAGE (a list, first language the program has; unused under the "C" locale),
// then the first of LC_ALL, LC_MESSAGES and LANG that is set, then `systemLocale` (the
// toolkit's name of the system locale).
using EnvironmentLookup = std::function<const char*(const char* name)>;
std::wstring DesktopLanguage(const EnvironmentLookup& lookup, const std::string& systemLocale);

}  // namespace persist
