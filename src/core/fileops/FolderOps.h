#pragma once
// The folder edits of the folder browser: new folder, rename and delete, each with the message
// the user sees when it fails; and the browser's check box states in the settings store.

#include <QString>

#include <cstdint>
#include <optional>

namespace quorvex {

class IPrompt;
class ISettingsStore;

// "New Folder", else "New Folder (1)", "New Folder (2)", ... the first not taken in parent.
QString NewFolderName(const QString& parent);
// Creates the next free "New Folder" in parent; its full path, or nothing after the message.
std::optional<QString> CreateNewFolder(const QString& parent, IPrompt& prompt);
// Renames folder to newName in the same parent; false after the message when refused.
bool RenameFolder(const QString& folder, const QString& newName, IPrompt& prompt);

enum class TDeleteFolderResult { Deleted, NotEmpty, Failed };
// Only an empty folder is removed; the other outcomes are reported to the user.
TDeleteFolderResult DeleteFolder(const QString& folder, IPrompt& prompt);

constexpr int MaxBrowseChecks = 3;
// Bit i-1 of the stored integer ticks box i; defaultBits when the value cannot be read.
uint32_t LoadBrowseChecks(const ISettingsStore& store, const QString& valueName, uint32_t defaultBits);
// Every bit is set except those of unticked boxes.
void SaveBrowseChecks(ISettingsStore& store, const QString& valueName, uint32_t tickedBits);

} // namespace quorvex
