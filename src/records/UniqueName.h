#pragma once
#include <cstddef>
#include <functional>
#include <string>

// `name` when `taken` refuses it, else the first free "name (2)", "name (3)", ...; the base is
// cut so that the whole name keeps within `maxLength` characters.
std::wstring UniqueName(const std::wstring& name, std::size_t maxLength,
                        const std::function<bool(const std::wstring&)>& taken);
