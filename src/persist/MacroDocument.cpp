#include "persist/MacroDocument.h"

#include <cstring>

#include "persist/CNumber.h"
#include "persist/MacroLimits.h"
#include "persist/XmlLookup.h"

namespace persist {
namespace {

// The settings' attribute names, in the order they are written, with their fields.
struct SettingField {
    const char* name;
    int32_t MacroRecordParam::*field;
};

constexpr SettingField kSettingFields[] = {
    {"page", &MacroRecordParam::page},           {"gpsel", &MacroRecordParam::gpsel},
    {"singlekey", &MacroRecordParam::singlekey}, {"funcsel", &MacroRecordParam::funcsel},
    {"cmbtype", &MacroRecordParam::cmbtype},     {"cmbsel", &MacroRecordParam::cmbsel},
    {"dlmode", &MacroRecordParam::dlmode},       {"playmode", &MacroRecordParam::playmode},
    {"period", &MacroRecordParam::period},
};

int32_t SignedAttribute(pugi::xml_node element, const char* name) {
    return ReadSignedDecimal(AttributeText(element, name));
}

MacroRecordGpItem ReadStep(pugi::xml_node element) {
    MacroRecordGpItem step;
    step.code = SignedAttribute(element, "code");
    step.state = SignedAttribute(element, "state");
    step.delay = SignedAttribute(element, "delay");
    step.name = AttributeWideText(element, "name");
    return step;
}

constexpr const char* kChoiceElement = "choice";
// More keys than any keyboard of the family has: a longer list is no file the program wrote.
constexpr size_t kMostChoices = 256;

// A choice for no key or of another page is left out: it could only mislead the editor.
void ReadChoice(pugi::xml_node element, std::vector<MacroEntryChoice>& choices) {
    const MacroEntryChoice choice{SignedAttribute(element, "key"), SignedAttribute(element, "page"),
                                  SignedAttribute(element, "entry")};
    if (choice.key < 0 || (choice.page != 1 && choice.page != 2)) return;
    if (choices.size() >= kMostChoices) return;
    for (MacroEntryChoice& known : choices)
        if (known.key == choice.key) {
            known = choice;
            return;
        }
    choices.push_back(choice);
}

MacroGroupContent ReadGroup(pugi::xml_node element) {
    MacroGroupContent group;
    group.info.id = SignedAttribute(element, "id");
    group.info.repeat = SignedAttribute(element, "repeat");
    group.info.name = AttributeWideText(element, "name");
    for (pugi::xml_node child : element.children()) {
        if (child.type() == pugi::node_element) {
            group.items.push_back(ReadStep(child));
        }
    }
    return group;
}

// Step fields are written as the unsigned form of their 32 bits.
void AddUnsigned(pugi::xml_node element, const char* name, int32_t value) {
    element.append_attribute(name).set_value(static_cast<unsigned int>(value));
}

void AddText(pugi::xml_node element, const char* name, const std::wstring& text) {
    element.append_attribute(name).set_value(pugi::as_utf8(text).c_str());
}

class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& text) : text_(text) {}
    void write(const void* data, size_t size) override {
        text_.append(static_cast<const char*>(data), size);
    }

private:
    std::string& text_;
};

}  // namespace

MacroContent ReadMacroDocument(const pugi::xml_document& document) {
    MacroContent content;
    const pugi::xml_node record = FindElement(document, "record");
    // A setting the file lacks keeps its default.
    for (const SettingField& setting : kSettingFields) {
        if (FindAttribute(record, setting.name))
            content.settings.*setting.field = SignedAttribute(record, setting.name);
    }
    for (pugi::xml_node child : record.children()) {
        if (child.type() != pugi::node_element) continue;
        if (std::strcmp(child.name(), kChoiceElement) == 0)
            ReadChoice(child, content.choices);
        else
            content.groups.push_back(ReadGroup(child));
    }
    return content;
}

MacroContent ReadMacroDocumentWithinLimits(const pugi::xml_document& document) {
    MacroContent content = ReadMacroDocument(document);
    // Values past the limits are brought within them rather than the file refused: a refused
    // file would leave the editor without any group. What is cut is what no keyboard macro can
    // hold (steps, delays, repeats) or the editor never makes (names longer than its field).
    content.groups = WithinLimits(std::move(content.groups));
    return content;
}

MacroDocumentWriter::MacroDocumentWriter(const MacroRecordParam& settings)
    : record_(document_.append_child("record")) {
    for (const SettingField& setting : kSettingFields) {
        record_.append_attribute(setting.name).set_value(settings.*setting.field);
    }
}

void MacroDocumentWriter::AddGroup(const MacroRecordGpInfo& info,
                                   const std::list<MacroRecordGpItem>& items) {
    pugi::xml_node group = record_.append_child("group");
    group.append_attribute("id").set_value(info.id);
    group.append_attribute("repeat").set_value(info.repeat);
    AddText(group, "name", info.name);
    for (const MacroRecordGpItem& step : items) {
        pugi::xml_node item = group.append_child("item");
        AddText(item, "name", step.name);
        AddUnsigned(item, "code", step.code);
        AddUnsigned(item, "delay", step.delay);
        AddUnsigned(item, "state", step.state);
    }
}

void MacroDocumentWriter::AddChoice(const MacroEntryChoice& choice) {
    pugi::xml_node element = record_.append_child(kChoiceElement);
    element.append_attribute("key").set_value(choice.key);
    element.append_attribute("page").set_value(choice.page);
    element.append_attribute("entry").set_value(choice.entry);
}

std::string MacroDocumentWriter::Text() const {
    std::string text;
    StringWriter writer(text);
    document_.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
    return text;
}

}  // namespace persist
