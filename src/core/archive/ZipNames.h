#pragma once
// The text of a ZIP member's name. With the UTF-8 flag (general purpose bit 11) the name is
// UTF-8 as stored; without it the DOS archivers wrote code page 437, which is converted to
// UTF-8. A name that is valid UTF-8, without the flag, from an archiver on a system other
// than DOS, OS/2 or Windows is that system's own name and is kept: Unix archivers store
// the file system's bytes and do not set the flag.

#include <cstdint>
#include <string>

namespace quorvex
{

std::string ZipNameText(const std::string& stored, unsigned flags, uint16_t versionMadeBy);
// Code page 437 bytes as UTF-8.
std::string Cp437ToUtf8(const std::string& text);

} // namespace quorvex
