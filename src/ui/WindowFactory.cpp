#include "ui/WindowFactory.h"

#include "ui/SWindow.h"

namespace SOUI {

bool SWindowFactory::Register(const QString& tag, const QString& baseTag, Creator create) {
    const QString key = tag.toLower();
    if (key.isEmpty() || !create || m_entries.contains(key)) return false;
    m_entries.insert(key, Entry{baseTag.toLower(), std::move(create)});
    return true;
}

QString SWindowFactory::BaseTag(const QString& tag) const {
    auto it = m_entries.find(tag.toLower());
    return it == m_entries.end() ? QString() : it->baseTag;
}

SWindow* SWindowFactory::Create(const QString& tag) const {
    auto it = m_entries.find(tag.toLower());
    return it == m_entries.end() ? nullptr : it->create();
}

}  // namespace SOUI
