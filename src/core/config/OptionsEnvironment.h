#pragma once
// What the settings take from the machine: the folders their defaults name, whether a folder
// exists, the system fonts and the buttons of the main toolbar. Tests give their own.

#include "config/OptionsTypes.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace quorvex {

struct TOptionsEnvironment {
    QString TempFolder;    // the system temporary folder, with a trailing separator
    // The default folder for catalogs (the program's folder on Windows, the user's documents or
    // home folder elsewhere), with a trailing separator.
    QString ProgramFolder;
    QString DefaultViewer; // the text viewer offered as the external viewer
    std::function<bool(const QString& folder)> FolderExists; // null: the file system is asked
    std::function<TFontSlot(int slot)> SystemFont;           // null: the toolkit's default font
    // The main toolbar's controls in their order: a button's tag, 0 for anything else. Empty
    // while no toolbar exists (the command line); the stored layout is then kept as it is.
    std::vector<uint8_t> ToolbarControls;

    static TOptionsEnvironment System();

    bool IsFolder(const QString& folder) const;
    TFontSlot SystemFontOf(int slot) const;
};

// The folder with the platform's separator at its end; an empty text stays empty.
QString WithTrailingSeparator(const QString& folder);

} // namespace quorvex
