#pragma once
// The .ctf file type for the user: a shared-mime-info type and a desktop entry that opens
// catalogs with this program, written when they are missing. Errors are ignored.

#include <QString>

namespace quorvex {

// dataHome defaults to the user's data folder ($XDG_DATA_HOME or ~/.local/share).
void RegisterCatalogFileType(const QString& programPath, const QString& dataHome = {});

QString CatalogMimeXml();
QString CatalogDesktopEntry(const QString& programPath);

} // namespace quorvex
