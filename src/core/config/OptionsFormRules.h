#pragma once
// What the settings dialog decides besides showing values: which controls are enabled by the
// state of others, how a description file mask is cleaned before it is listed, and whether a
// catalog may join the autoload list.

#include <QString>
#include <QStringList>

namespace quorvex {

class TOptions;

struct TOptionsEnabling {
    bool ArchiveKinds = false; // the Arc... boxes, ArchiveDescOnly, ArchiveQuickScan
    bool DescTruncEdit = false;
    bool SerialAskCheck = false;
    bool AutohideCheck = false;
    bool DescWaitBar = false;
    bool DescHideBar = false;
    bool DescMaxLevels = false;
    bool ViewerEdit = false; // with its "Browse" and ShortFilenamesCheck
    bool AutoloadControls = false;
    bool AutoloadAdd = false;
    bool AutoloadUpDown = false;
    bool DescAdd = false;
    bool DescListButtons = false; // "Delete", "Up", "Down"
};

constexpr int MaxAutoloadCatalogs = 99;

TOptionsEnabling OptionsEnabling(const TOptions& options, const QString& descEditText);

// Commas and slashes go, a "*" swallows a "*" or "?" right after it, the rest is upper-cased.
QString CleanDescMask(const QString& text);

// False when the catalog is listed already (compared ignoring case).
bool CanAddAutoload(const QStringList& listed, const QString& catalog);

// The extension a program picked with a "Browse" button must have where programs carry one:
// ".exe" on Windows, none elsewhere.
QString ProgramExtension();
// The picked name, with the extension appended when its file name has none.
QString WithProgramExtension(const QString& name, const QString& extension = ProgramExtension());

// Moves the entry at index by delta places; false when it cannot move.
bool MoveListEntry(QStringList& list, int index, int delta);

} // namespace quorvex
