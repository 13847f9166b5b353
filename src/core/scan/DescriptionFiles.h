#pragma once
// Description files found on media: FILE_ID.DIZ, DESCRIPT.ION and FILES.BBS, and where their
// texts go in the catalog.

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex {

struct TItemRec;

// The file names as they are written on media.
inline constexpr std::string_view FileIdDizName = "FILE_ID.DIZ";
inline constexpr std::string_view FilesBbsName = "FILES.BBS";
inline constexpr std::string_view DescriptIonName = "DESCRIPT.ION";

// The cleaned text of a FILE_ID.DIZ (at most 4095 bytes read, up to the first zero byte);
// empty when it cannot be read.
std::string ReadFileIdDiz(const std::string& filePath);

// Applies a DESCRIPT.ION to the files chained from owner and to the child nodes of its
// node. lineLimit 0 = unlimited.
void ApplyDescriptIon(TItemRec* owner, const std::string& filePath, bool replace, int lineLimit);
// Applies a FILES.BBS the same way.
void ApplyFilesBbs(TItemRec* owner, const std::string& filePath, int lineLimit);

// Gives a file, folder or disk record the text when it has no description.
bool SetDescriptionIfEmpty(TItemRec* item, std::string_view text);

// Takes a description file out of an archive into the temporary folder and returns the
// copy's path; empty when it could not be taken out.
std::string TakeOutOfArchive(int archiveKind, const std::string& archivePath, const std::string& memberName);

} // namespace quorvex
