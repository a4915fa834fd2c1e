#include "records/UniqueName.h"

std::wstring UniqueName(const std::wstring& name, std::size_t maxLength,
                        const std::function<bool(const std::wstring&)>& taken) {
    std::wstring candidate = name;
    for (int n = 2; taken(candidate); ++n) {
        const std::wstring suffix = L" (" + std::to_wstring(n) + L")";
        const std::size_t room = maxLength > suffix.size() ? maxLength - suffix.size() : 0;
        candidate = name.substr(0, room) + suffix;
    }
    return candidate;
}
