#include "app/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvex {

QString CatalogMimeXml()
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-quorvex-catalog\">\n"
        "    <comment>Quorvex Catalog File</comment>\n"
        "    <magic priority=\"60\"><match type=\"string\" offset=\"0\" value=\"Catalog \"/></magic>\n"
        "    <glob pattern=\"*.ctf\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

QString CatalogDesktopEntry(const QString& programPath)
{
    QString quoted = programPath;
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    return "[Desktop Entry]\nType=Application\nName=Quorvex\nComment=Disk cataloguer\nExec=\"" + quoted +
           "\" %F\nMimeType=application/x-quorvex-catalog;\nCategories=Utility;\nTerminal=false\n";
}

static void WriteWhenMissing(const QString& path, const QString& text)
{
    if (QFile::exists(path)) return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.write(text.toUtf8());
}

void RegisterCatalogFileType(const QString& programPath, const QString& dataHome)
{
    const QString home =
        dataHome.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) : dataHome;
    if (home.isEmpty()) return;
    WriteWhenMissing(home + "/mime/packages/quorvex-catalog.xml", CatalogMimeXml());
    WriteWhenMissing(home + "/applications/quorvex.desktop", CatalogDesktopEntry(programPath));
}

} // namespace quorvex
