#include "ops/BackupNamingOf.h"

#include "ops/KeyNames.h"
#include "records/MacroRequest.h"

persist::BackupNaming BackupNamingOf(const KeyPositions& colourKeys, const KeyPositions& codeKeys,
                                     const std::vector<MacroFuncKey>& functions,
                                     const std::vector<MacroCombKey>& combinations,
                                     std::size_t colourEntries, std::size_t codeEntries) {
    persist::BackupNaming naming;
    naming.colourKeys.resize(colourEntries);
    naming.codeKeys.resize(codeEntries);
    for (const KeyPosition& key : colourKeys.keys())
        if (key.order >= 0 && static_cast<std::size_t>(key.order) < colourEntries)
            naming.colourKeys[static_cast<std::size_t>(key.order)] = keynames::ToText(key.name);
    for (const KeyPosition& key : codeKeys.keys())
        if (key.index >= 0 && static_cast<std::size_t>(key.index) < codeEntries)
            naming.codeKeys[static_cast<std::size_t>(key.index)] = keynames::ToText(key.name);
    for (const MacroFuncKey& function : functions)
        if ((function.code & 0xFFFF) != 0)
            naming.functions.emplace_back(keynames::ToText(function.name),
                                          static_cast<std::uint16_t>(function.code & 0xFFFF));
    for (const MacroCombKey& combination : combinations) {
        if (combination.keys.empty()) continue;
        macrokey_pack_t request;
        macroreq::FillCombination(request, combination, 0);
        naming.combinations.emplace_back(keynames::ToText(combination.name), request.macro);
    }
    return naming;
}
