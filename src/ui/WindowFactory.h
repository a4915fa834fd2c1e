#pragma once
// Creates widgets by layout tag. Each class registers under its tag with the tag of the
// base class whose attributes and behaviour it extends; a registered tag is never replaced.
#include <QHash>
#include <QString>
#include <functional>

namespace SOUI {

class SWindow;

class SWindowFactory {
public:
    using Creator = std::function<SWindow*()>;

    // False, and the earlier registration stays, when the tag is already registered.
    bool Register(const QString& tag, const QString& baseTag, Creator create);
    template <class T>
    bool Register(const QString& baseTag) {
        return Register(QString::fromLatin1(T::GetClassName()), baseTag, [] { return new T; });
    }

    bool IsRegistered(const QString& tag) const { return m_entries.contains(tag.toLower()); }
    QString BaseTag(const QString& tag) const;
    // A new widget of that tag, or null for a tag nobody registered.
    SWindow* Create(const QString& tag) const;

private:
    struct Entry {
        QString baseTag;
        Creator create;
    };
    QHash<QString, Entry> m_entries;
};

}  // namespace SOUI
