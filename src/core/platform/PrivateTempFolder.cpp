#include "platform/PrivateTempFolder.h"

#include "platform/NativeNames.h"

#include <QByteArray>

#include <cstdlib>
#include <ftw.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex
{

namespace
{

struct TFolders {
    pid_t Owner = 0;                         // a forked child makes folders of its own
    std::map<QByteArray, QByteArray> ByBase; // native base -> native folder
};

std::mutex& FoldersLock()
{
    static std::mutex lock;
    return lock;
}

TFolders& Folders()
{
    static TFolders folders;
    return folders;
}

int RemoveEntry(const char* path, const struct stat*, int type, struct FTW*)
{
    if (type == FTW_DP)
        ::rmdir(path);
    else
        ::unlink(path);
    return 0;
}

void RemoveEmptyAtExit()
{
    RemovePrivateTempFolders(false);
}

} // namespace

QString PrivateTempFolder(const QString& base)
{
    QByteArray root = NativeFromName(base);
    while (root.size() > 1 && root.endsWith('/'))
        root.chop(1);
    if (root.isEmpty()) return {};
    std::lock_guard guard(FoldersLock());
    TFolders& folders = Folders();
    if (folders.Owner != ::getpid()) {
        if (folders.Owner == 0) std::atexit(RemoveEmptyAtExit);
        folders.Owner = ::getpid();
        folders.ByBase.clear();
    }
    if (auto it = folders.ByBase.find(root); it != folders.ByBase.end()) {
        struct stat st {
        };
        if (::lstat(it->second.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            return NameFromNative(it->second.toStdString());
        folders.ByBase.erase(it); // removed under our feet: make a new one
    }
    if (!MakeNativeFolders(base)) return {};
    QByteArray pattern = root + (root.endsWith('/') ? "" : "/") + "quorvex-XXXXXX";
    if (!::mkdtemp(pattern.data())) return {}; // mkdtemp makes it 0700
    folders.ByBase.emplace(root, pattern);
    return NameFromNative(pattern.toStdString());
}

void RemovePrivateTempFolders(bool withContents)
{
    std::lock_guard guard(FoldersLock());
    TFolders& folders = Folders();
    if (folders.Owner != ::getpid()) return;
    for (auto it = folders.ByBase.begin(); it != folders.ByBase.end();) {
        const QByteArray& folder = it->second;
        if (withContents)
            ::nftw(folder.constData(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
        else
            ::rmdir(folder.constData());
        struct stat st {
        };
        it = ::lstat(folder.constData(), &st) != 0 ? folders.ByBase.erase(it) : std::next(it);
    }
}

} // namespace quorvex
