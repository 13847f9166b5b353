#include "platform/NativeNames.h"

#include <QByteArrayView>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex
{

namespace
{

constexpr char16_t EscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence starting at s[i], 0 when it is not one.
size_t Utf8SequenceAt(std::string_view s, size_t i, char32_t& code)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    size_t length;
    char32_t min;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() - i < length) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool IsEscapedByte(QStringView name, qsizetype i)
{
    const char16_t c = name[i].unicode();
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF &&
           (i == 0 || !name[i - 1].isHighSurrogate());
}

} // namespace

QString NameFromNative(std::string_view bytes)
{
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    QString name;
    name.reserve(qsizetype(bytes.size()));
    for (size_t i = 0; i < bytes.size();) {
        char32_t code = 0;
        const size_t length = Utf8SequenceAt(bytes, i, code);
        if (length == 0) {
            name += QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        name += QString::fromUcs4(&code, 1);
        i += length;
    }
    return name;
}

QByteArray NativeFromName(QStringView name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype run = 0; // start of the text not yet converted
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!IsEscapedByte(name, i)) continue;
        bytes += name.mid(run, i - run).toUtf8();
        bytes += char(name[i].unicode() - EscapeBase);
        run = i + 1;
    }
    bytes += name.mid(run).toUtf8();
    return bytes;
}

std::string NativeString(QStringView name)
{
    return NativeFromName(name).toStdString();
}

bool OpenNative(QFile& file, const QString& path, QIODevice::OpenMode mode)
{
    int flags = O_CLOEXEC;
    if ((mode & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        flags |= O_RDWR | O_CREAT;
    else if (mode & QIODevice::WriteOnly)
        flags |= O_WRONLY | O_CREAT;
    else
        flags |= O_RDONLY;
    if (mode & QIODevice::Truncate) flags |= O_TRUNC;
    if (mode & QIODevice::Append) flags |= O_APPEND;
    const int fd = ::open(NativeFromName(path).constData(), flags, 0666);
    if (fd < 0) return false;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool NativeExists(const QString& path)
{
    struct stat st {
    };
    return ::lstat(NativeFromName(path).constData(), &st) == 0;
}

bool NativeIsFile(const QString& path)
{
    struct stat st {
    };
    return ::stat(NativeFromName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool NativeIsWritable(const QString& path)
{
    return ::access(NativeFromName(path).constData(), W_OK) == 0;
}

QDateTime NativeModified(const QString& path)
{
    struct stat st {
    };
    if (::stat(NativeFromName(path).constData(), &st) != 0) return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 +
                                          st.st_mtim.tv_nsec / 1000000);
}

bool MakeNativeFolders(const QString& path)
{
    QByteArray native = NativeFromName(path);
    while (native.size() > 1 && native.endsWith('/'))
        native.chop(1);
    struct stat st {
    };
    if (::stat(native.constData(), &st) == 0) return S_ISDIR(st.st_mode);
    for (qsizetype slash = native.indexOf('/', 1); slash > 0;
         slash = native.indexOf('/', slash + 1)) {
        const QByteArray part = native.left(slash);
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST) return false;
    }
    return ::mkdir(native.constData(), 0777) == 0 || errno == EEXIST;
}

bool RemoveNativeFile(const QString& path)
{
    return ::unlink(NativeFromName(path).constData()) == 0;
}

bool SetNativeMode(const QString& path, unsigned mode)
{
    return ::chmod(NativeFromName(path).constData(), mode_t(mode)) == 0;
}

QString NativeCanonicalPath(const QString& path)
{
    char resolved[PATH_MAX];
    if (!::realpath(NativeFromName(path).constData(), resolved)) return {};
    return NameFromNative(resolved);
}

} // namespace quorvex
