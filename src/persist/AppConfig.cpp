#include "persist/AppConfig.h"

#include <mutex>

#include "persist/ConfigDocument.h"
#include "persist/XmlLookup.h"

namespace {

// Empties the list shape and appends the entries; nothing is published.
template <class Shape, class Entries>
void Refill(Shape& shape, const Entries& entries) {
    shape.store(nullptr, 0, false);
    shape.selection.index = 0;
    for (const auto& entry : entries) {
        shape.push_back(entry);
    }
}

// The single-element shapes hold one element unless a group member they adopted was empty.
template <class Shape, class Value>
void SetSingle(Shape& shape, const Value& value) {
    if (shape.count == 0) {
        shape.push_back(value);
        return;
    }
    shape.current() = value;
}

}  // namespace

bool AppConfig::Load(const std::filesystem::path& file) {
    pugi::xml_document document;
    if (!persist::LoadDocumentFile(document, file.c_str())) {
        return false;
    }
    const persist::ConfigContent content = persist::ReadConfigDocument(document);
    std::scoped_lock lock(language_.mutex(), device_.mutex(), funcKeys_.mutex(), combKeys_.mutex());
    SetSingle(language_, content.language);
    SetSingle(device_, content.usb);
    Refill(funcKeys_, content.funcKeys);
    Refill(combKeys_, content.combKeys);
    return true;
}

std::string AppConfig::LoadWithFallback(const std::filesystem::path& userFile,
                                        const std::filesystem::path& shippedFile) {
    if (Load(userFile)) return {};
    const std::string empty = "; the function key and combination lists stay empty";
    if (shippedFile.empty() || userFile == shippedFile)
        return userFile.string() + " cannot be read" + empty;
    const std::string problem = userFile.string() + " cannot be read";
    if (Load(shippedFile)) return problem + "; using " + shippedFile.string() + " instead";
    return problem + ", nor can " + shippedFile.string() + empty;
}
