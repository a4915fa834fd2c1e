#include "persist/MacroSharing.h"

#include <algorithm>
#include <pugixml.hpp>
#include <sstream>

#include "persist/SmallTextFile.h"
#include "persist/XmlLookup.h"
#include "records/UniqueName.h"

namespace persist {
namespace {

// A shared file is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kLargestSharedFile = 4 * 1024 * 1024;

std::string Where(std::size_t group, std::size_t step) {
    return "group " + std::to_string(group + 1) + ", step " + std::to_string(step + 1);
}

// A field must be a whole number within the range as written.
bool InRange(pugi::xml_node element, const char* name, ValueRange range) {
    const std::string text = AttributeText(element, name);
    if (text.empty() || text.size() > 11) return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return range.Holds(std::stoll(text));
}

// A scan code, 0x100 for E0 keys.
constexpr ValueRange kCodeRange{1, 0x1FF};

std::string CheckStep(pugi::xml_node step, std::size_t group, std::size_t index) {
    if (std::string_view(step.name()) != "item")
        return Where(group, index) + ": <" + step.name() + "> is not a step";
    if (!InRange(step, "code", kCodeRange))
        return Where(group, index) + ": code \"" + AttributeText(step, "code") +
               "\" is not a key code (" + kCodeRange.Text() + ")";
    if (!InRange(step, "state", kStepStateRange))
        return Where(group, index) + ": state \"" + AttributeText(step, "state") + "\" is not " +
               kStepStateRange.Text() + " (0 key down, 1 key up)";
    if (!InRange(step, "delay", kDelayRange))
        return Where(group, index) + ": delay \"" + AttributeText(step, "delay") + "\" is not " +
               kDelayRange.Text() + " ms";
    return {};
}

std::string CheckGroup(pugi::xml_node group, std::size_t index) {
    const std::string where = "group " + std::to_string(index + 1);
    if (std::string_view(group.name()) != "group")
        return where + ": <" + group.name() + "> is not a macro group";
    const std::wstring name = AttributeWideText(group, "name");
    if (name.empty()) return where + ": the group has no name";
    if (name.size() > kMaxGroupNameLength)
        return where + ": the name is longer than " + std::to_string(kMaxGroupNameLength) +
               " characters";
    if (!InRange(group, "repeat", kRepeatRange))
        return where + ": repeat \"" + AttributeText(group, "repeat") + "\" is not " +
               kRepeatRange.Text();
    std::size_t steps = 0;
    for (pugi::xml_node step : group.children()) {
        if (step.type() != pugi::node_element) continue;
        if (std::string error = CheckStep(step, index, steps); !error.empty()) return error;
        ++steps;
    }
    if (steps > kMaxStepsPerGroup)
        return where + ": " + std::to_string(steps) + " steps, more than a macro holds (" +
               std::to_string(kMaxStepsPerGroup) + ")";
    return {};
}

bool NameTaken(const std::vector<MacroGroupContent>& groups, const std::wstring& name) {
    return std::any_of(groups.begin(), groups.end(),
                       [&](const MacroGroupContent& g) { return g.info.name == name; });
}

bool IdTaken(const std::vector<MacroGroupContent>& groups, int id) {
    return std::any_of(groups.begin(), groups.end(),
                       [&](const MacroGroupContent& g) { return g.info.id == id; });
}

}  // namespace

std::string WriteSharedGroups(const std::vector<MacroGroupContent>& groups) {
    MacroDocumentWriter writer{MacroRecordParam{}};
    for (const MacroGroupContent& group : WithinLimits(groups))
        writer.AddGroup(group.info, group.items);
    return writer.Text();
}

SharedGroupsRead ReadSharedGroups(std::string_view text) {
    SharedGroupsRead read;
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) {
        read.error = std::string("not a macro file: ") + parsed.description() + " at byte " +
                     std::to_string(parsed.offset);
        return read;
    }
    const pugi::xml_node record = document.document_element();
    if (std::string_view(record.name()) != "record") {
        read.error = std::string("not a macro file: its root element is <") + record.name() +
                     ">, not <record>";
        return read;
    }
    std::size_t index = 0;
    for (pugi::xml_node group : record.children()) {
        if (group.type() != pugi::node_element) continue;
        if (index == kMaxMacroGroups) {
            read.error = "the file holds more groups than the list holds (" +
                         std::to_string(kMaxMacroGroups) + ")";
            return read;
        }
        if (std::string error = CheckGroup(group, index); !error.empty()) {
            read.error = error;
            return read;
        }
        ++index;
    }
    if (index == 0) {
        read.error = "the file holds no macro groups";
        return read;
    }
    read.groups = ReadMacroDocument(document).groups;
    return read;
}

SharedGroupsRead ReadSharedGroupsFile(const std::filesystem::path& file) {
    const SmallTextFile content = ReadSmallTextFile(file, kLargestSharedFile, "a macro file");
    SharedGroupsRead read;
    if (!content.ok()) {
        read.error = content.error;
        return read;
    }
    read = ReadSharedGroups(content.text);
    if (!read.ok()) read.error = file.string() + ": " + read.error;
    return read;
}

std::vector<MacroGroupContent> GroupsToAdd(const std::vector<MacroGroupContent>& existing,
                                           std::vector<MacroGroupContent> imported) {
    std::vector<MacroGroupContent> all = existing;
    for (MacroGroupContent& group : imported) {
        // The name must still fit the editor's field.
        group.info.name =
            UniqueName(group.info.name, kMaxGroupNameLength,
                       [&all](const std::wstring& name) { return NameTaken(all, name); });
        int id = 0;
        while (IdTaken(all, id)) ++id;
        group.info.id = id;
        all.push_back(group);
    }
    return imported;
}

}  // namespace persist
