#include "ui/ResProvider.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace SOUI {

bool SResProviderFiles::Init(const QString& folder) {
    m_folder = folder;
    m_files.clear();
    const QString indexPath = QDir(folder).filePath(kIndexFile);
    pugi::xml_document doc;
    if (!doc.load_file(QFile::encodeName(indexPath).constData())) return false;
    for (pugi::xml_node type : doc.child("resource").children()) {
        const QString typeName = QString::fromUtf8(type.name());
        for (pugi::xml_node file : type.children("file")) {
            const QString name = QString::fromUtf8(file.attribute("name").value());
            const QString path = QString::fromUtf8(file.attribute("path").value());
            if (name.isEmpty() || path.isEmpty()) continue;
            m_files.insert(Key(typeName + ':' + name), QDir(folder).filePath(path));
        }
    }
    return true;
}

void SResProviderFiles::AddBuiltin(const QString& resName, const QByteArray& content) {
    m_builtins.insert(Key(resName), content);
}

bool SResProviderFiles::HasResource(const QString& resName) const {
    const QString key = Key(resName);
    return m_builtins.contains(key) || (m_files.contains(key) && QFile::exists(m_files[key]));
}

QString SResProviderFiles::FilePath(const QString& resName) const {
    return m_files.value(Key(resName));
}

QByteArray SResProviderFiles::Read(const QString& resName) const {
    const QString key = Key(resName);
    // Files in the folder take precedence over what the program carries.
    if (auto it = m_files.find(key); it != m_files.end()) {
        QFile file(*it);
        if (file.open(QIODevice::ReadOnly)) return file.readAll();
    }
    if (auto it = m_builtins.find(key); it != m_builtins.end()) return *it;
    ReportMissing(resName);
    return {};
}

bool SResProviderFiles::LoadXml(const QString& resName, pugi::xml_document& doc) const {
    const QByteArray data = Read(resName);
    if (data.isEmpty()) return false;
    return static_cast<bool>(doc.load_buffer(data.constData(), static_cast<size_t>(data.size())));
}

QImage SResProviderFiles::LoadImage(const QString& resName) const {
    const QByteArray data = Read(resName);
    QImage image;
    if (!data.isEmpty() && !image.loadFromData(data)) {
        std::printf("resource is not an image: %s\n", resName.toUtf8().constData());
        std::fflush(stdout);
    }
    return image;
}

QImage SResProviderFiles::LoadDenserImage(const QString& resName, int scale) const {
    const QString path = FilePath(resName);
    if (path.isEmpty()) return {};
    const QFileInfo file(path);
    QImage image(file.dir().filePath(
        QStringLiteral("%1@%2x.%3").arg(file.completeBaseName()).arg(scale).arg(file.suffix())));
    image.setDevicePixelRatio(scale);
    return image;
}

void SResProviderFiles::ReportMissing(const QString& resName) const {
    if (m_reported.contains(Key(resName))) return;
    m_reported.insert(Key(resName));
    std::printf("resource not found: %s\n", resName.toUtf8().constData());
    std::fflush(stdout);
}

}  // namespace SOUI
