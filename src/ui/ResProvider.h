#pragma once
// Folder resource provider: an index file maps "type:name" resource names to files below
// the folder. Names compare without regard to case, as layouts spell them either way.
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>
#include <pugixml.hpp>

namespace SOUI {

class SResProviderFiles {
public:
    static constexpr const char* kIndexFile = "uires.idx";

    // Reads the index of the folder; false when the index is missing or malformed.
    bool Init(const QString& folder);

    // Adds or replaces one entry; used for resources the program carries itself.
    void AddBuiltin(const QString& resName, const QByteArray& content);

    bool HasResource(const QString& resName) const;
    // Content of a resource, or an empty array (reported once) when it cannot be read.
    QByteArray Read(const QString& resName) const;
    bool LoadXml(const QString& resName, pugi::xml_document& doc) const;
    QImage LoadImage(const QString& resName) const;
    // The resource's picture drawn for `scale` times the density, from the file named as its
    // own with "@<scale>x" before the extension, its device pixel ratio set to `scale`; a null
    // image when there is no such file or it is not an image.
    QImage LoadDenserImage(const QString& resName, int scale) const;
    QString FilePath(const QString& resName) const;
    const QString& Folder() const { return m_folder; }

    // Reports a missing resource on standard output, once per name.
    void ReportMissing(const QString& resName) const;

private:
    static QString Key(const QString& resName) { return resName.toLower(); }

    QString m_folder;
    QHash<QString, QString> m_files;
    QHash<QString, QByteArray> m_builtins;
    mutable QSet<QString> m_reported;
};

}  // namespace SOUI
