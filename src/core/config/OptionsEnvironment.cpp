#include "config/OptionsEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvex {

static bool EndsWithSeparator(const QString& folder)
{
    if (folder.endsWith(QLatin1Char('/'))) return true;
#ifdef Q_OS_WIN
    if (folder.endsWith(QLatin1Char('\\'))) return true;
#endif
    return false;
}

QString WithTrailingSeparator(const QString& folder)
{
    if (folder.isEmpty() || EndsWithSeparator(folder)) return folder;
    return folder + QDir::separator();
}

static QString SystemViewer()
{
#ifdef Q_OS_WIN
    QString windows = qEnvironmentVariable("WINDIR");
    if (windows.isEmpty()) windows = QStringLiteral("C:\\WINDOWS");
    return windows + QStringLiteral("\\NOTEPAD.EXE");
#else
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return opener.isEmpty() ? QStringLiteral("xdg-open") : opener;
#endif
}

// Where catalogs go unless the user says otherwise. On Windows the program's folder; elsewhere
// programs live in folders the user does not write to (or in a build tree that a clean-up
// empties), so the user's documents folder, or home when there is none.
static QString DefaultCatalogFolder()
{
#ifdef Q_OS_WIN
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
#else
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
#endif
}

TOptionsEnvironment TOptionsEnvironment::System()
{
    TOptionsEnvironment env;
    const QString temp = QDir::tempPath();
    env.TempFolder = temp.isEmpty() ? QStringLiteral(".") + QDir::separator()
                                    : WithTrailingSeparator(QDir::toNativeSeparators(temp));
    env.ProgramFolder = WithTrailingSeparator(QDir::toNativeSeparators(DefaultCatalogFolder()));
    env.DefaultViewer = SystemViewer();
    return env;
}

bool TOptionsEnvironment::IsFolder(const QString& folder) const
{
    if (FolderExists) return FolderExists(folder);
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

TFontSlot TOptionsEnvironment::SystemFontOf(int slot) const
{
    if (SystemFont) return SystemFont(slot);
    return TFontSlot{};
}

} // namespace quorvex
