#pragma once
// File names on this system are bytes, most of them UTF-8 but not all. Qt's own conversion
// turns every byte that is not UTF-8 into U+FFFD, so two names can become one and a file
// can no longer be reached. Names therefore travel in a QString through this lossless
// mapping: valid UTF-8 decodes as usual and any other byte B becomes the lone surrogate
// U+DC00 + B, which no valid UTF-8 decodes to. Whatever touches the file system with such a
// name goes through the native bytes (the helpers below), never through QFile's encoding.

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <string>
#include <string_view>

namespace quorvex
{

QString NameFromNative(std::string_view bytes);
QByteArray NativeFromName(QStringView name);
std::string NativeString(QStringView name);

// Opens the file named by a mapped name through its real bytes (writing creates it).
bool OpenNative(QFile& file, const QString& path, QIODevice::OpenMode mode);
// The path exists (a symbolic link counts as itself, not as its target).
bool NativeExists(const QString& path);
bool NativeIsFile(const QString& path);
bool NativeIsWritable(const QString& path);
// The modification time; invalid when the path cannot be read.
QDateTime NativeModified(const QString& path);
// Creates the folder with every missing parent.
bool MakeNativeFolders(const QString& path);
bool RemoveNativeFile(const QString& path);
bool SetNativeMode(const QString& path, unsigned mode);
// The path with every symbolic link resolved; empty when it does not exist.
QString NativeCanonicalPath(const QString& path);

} // namespace quorvex
