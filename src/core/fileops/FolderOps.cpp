#include "fileops/FolderOps.h"

#include "platform/Prompt.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace quorvex {

namespace {

// A dangling link takes the name as well.
bool Exists(const QString& parent, const QString& name)
{
    const QFileInfo info(QDir(parent).filePath(name));
    return info.exists() || info.isSymLink();
}

void Error(IPrompt& prompt, const QString& text, TPromptIcon icon = TPromptIcon::Error)
{
    prompt.Inform(QStringLiteral("Error"), text, icon);
}

} // namespace

QString NewFolderName(const QString& parent)
{
    const QString base = QStringLiteral("New Folder");
    if (!Exists(parent, base)) return base;
    for (int n = 1;; ++n) {
        const QString name = base + QStringLiteral(" (") + QString::number(n) + QLatin1Char(')');
        if (!Exists(parent, name)) return name;
    }
}

std::optional<QString> CreateNewFolder(const QString& parent, IPrompt& prompt)
{
    const QString name = NewFolderName(parent);
    QDir dir(parent);
    if (!QFileInfo(parent).isDir() || !dir.mkdir(name)) {
        Error(prompt, QStringLiteral("Can't create new folder!"));
        return std::nullopt;
    }
    return dir.filePath(name);
}

bool RenameFolder(const QString& folder, const QString& newName, IPrompt& prompt)
{
    const QFileInfo info(folder);
    const QString target = info.dir().filePath(newName);
    // A name with a separator would move the folder elsewhere; the rename of a folder onto an
    // existing one must not merge or replace it.
    const bool valid = !newName.isEmpty() && !newName.contains(QLatin1Char('/')) &&
                       newName != QLatin1String(".") && newName != QLatin1String("..");
    if (newName == info.fileName()) return true;
    if (!valid || !info.isDir() || Exists(info.path(), newName) || !QDir().rename(folder, target)) {
        Error(prompt, QStringLiteral("Operating system has denied renaming this folder"));
        return false;
    }
    return true;
}

TDeleteFolderResult DeleteFolder(const QString& folder, IPrompt& prompt)
{
    QDir dir(folder);
    const bool empty =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
    if (dir.exists() && !empty) {
        Error(prompt, QStringLiteral("Selected folder is not empty, deleting denied!"), TPromptIcon::Warning);
        return TDeleteFolderResult::NotEmpty;
    }
    if (!dir.exists() || !QDir().rmdir(folder)) {
        Error(prompt, QStringLiteral("Operating system has denied deleting this folder!"));
        return TDeleteFolderResult::Failed;
    }
    return TDeleteFolderResult::Deleted;
}

uint32_t LoadBrowseChecks(const ISettingsStore& store, const QString& valueName, uint32_t defaultBits)
{
    const auto value = store.ReadInteger(QString(), valueName);
    return value ? uint32_t(*value) : defaultBits;
}

void SaveBrowseChecks(ISettingsStore& store, const QString& valueName, uint32_t tickedBits)
{
    uint32_t bits = 0xFFFFFFFFu;
    for (int i = 0; i < MaxBrowseChecks; ++i)
        if (!(tickedBits & (1u << i))) bits &= ~(1u << i);
    store.WriteInteger(QString(), valueName, int64_t(int32_t(bits)));
}

} // namespace quorvex
