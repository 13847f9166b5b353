#include "extract/OutputPath.h"

#include "platform/NativeNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace quorvex
{

namespace
{

bool IsUnsafePart(const QString& part)
{
    return part.isEmpty() || part == u"." || part == u"..";
}

QString WithSlash(QString folder)
{
    folder = QDir::fromNativeSeparators(folder);
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

} // namespace

QString ExtractOutputPath(const std::string& stored, const QString& extractDir,
                          const QString& archiveFile, bool useStoredDirs)
{
    QString name = NameFromNative(stored);
    name.replace(u'/', u'\\');
    QString dir = QDir::fromNativeSeparators(extractDir);
    // A stored name that repeats the destination (some archivers store full paths).
    QString dirAsStored = dir;
    dirAsStored.replace(u'/', u'\\');
    if (!dir.isEmpty() && dirAsStored.size() < name.size() && name.startsWith(dirAsStored))
        name = name.mid(dirAsStored.size());

    QStringList parts = name.split(u'\\');
    const QString fileName = parts.takeLast();
    if (IsUnsafePart(fileName)) return {};

    QString folder;
    if (useStoredDirs) {
        if (!parts.isEmpty() && parts.front().size() == 2 && parts.front()[1] == u':')
            parts.removeFirst();
        for (const QString& part : parts)
            if (!IsUnsafePart(part)) folder += part + u'/';
    }

    return ExtractOutputRoot(extractDir, archiveFile) + folder + fileName;
}

QString ExtractOutputRoot(const QString& extractDir, const QString& archiveFile)
{
    QString base = QDir::fromNativeSeparators(extractDir);
    if (base.isEmpty()) base = QFileInfo(QDir::fromNativeSeparators(archiveFile)).absolutePath();
    if (base.isEmpty()) base = QDir::currentPath();
    return WithSlash(base);
}

} // namespace quorvex
