#pragma once
// A folder of this running program's own inside a shared temporary folder: made on first use
// with mode 0700 under an unpredictable name, so that no other program or user can foresee,
// replace or read what is unpacked there.

#include <QString>

namespace quorvex
{

// This process's folder under base (made with its missing parents when needed), without a
// trailing "/"; empty when it cannot be made. The same base gives the same folder for the
// life of the process.
QString PrivateTempFolder(const QString& base);
// Removes the folders made so far: with everything in them, or only those left empty.
// Those left empty go at exit in any case.
void RemovePrivateTempFolders(bool withContents);

} // namespace quorvex
