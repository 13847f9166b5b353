#pragma once
// The method codes of each format's headers mapped to the decoders. No value means the
// method is not supported (error 25200 for the caller).

#include "decompress/Decompress.h"

#include <optional>
#include <string>

namespace quorvex {

// ZIP method codes 0, 1, 2 to 5, 6 and 8 (gzip uses 0 and 8 of the same numbering).
std::optional<TDecodeMethod> ZipDecodeMethod(int method);
// ARJ methods 0 to 4 (whether method 4 is allowed for the archiver version is the caller's).
std::optional<TDecodeMethod> ArjDecodeMethod(int method);
// LHA method strings such as "-lh5-".
std::optional<TDecodeMethod> LhaDecodeMethod(const std::string& method);
// ZOO methods 0 to 2.
std::optional<TDecodeMethod> ZooDecodeMethod(int method);
// ARC methods 1 to 9.
std::optional<TDecodeMethod> ArcDecodeMethod(int method);

} // namespace quorvex
