#include "scan/DescriptionFiles.h"

#include "extract/ExtractFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvex
{

std::string TakeOutOfArchive(int archiveKind, const std::string& archivePath,
                             const std::string& memberName)
{
    const QString folder = TemporaryExtractFolder();
    QString name = QFile::decodeName(QByteArray::fromStdString(memberName));
    name.replace(u'\\', u'/');
    name = name.mid(name.lastIndexOf(u'/') + 1);
    if (name.isEmpty()) return {};
    const QString copy = folder + name;
    // A copy left from an earlier scan must not pass for this archive's.
    QFile::remove(copy);

    const bool wasSilent = SilentExtract;
    SilentExtract = true;
    ExtractFiles(archiveKind, QFile::decodeName(QByteArray::fromStdString(archivePath)), folder,
                 false, false, false, nullptr, name);
    SilentExtract = wasSilent;
    return QFileInfo(copy).isFile() ? QFile::encodeName(copy).toStdString() : std::string();
}

} // namespace quorvex
