#pragma once

#include <stdexcept>
#include <string>

namespace quorvex {

// A damaged or foreign catalog file.
class EInvalidCatalog : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file could not be opened, read or written.
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The read-ahead stream could not open its file.
class EReadBufferError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Ends an operation without a message.
class EAbort : public std::runtime_error {
public:
    EAbort() : std::runtime_error("Operation aborted") {}
};

inline const char* MsgNotACatalog = "This is not a valid catalog file!";
inline const char* MsgStructureError = "Internal catalog structure error detected.";
inline const char* MsgStringTooLong = "String data too long!";
inline const char* MsgFileOpenError = "File open error";

} // namespace quorvex
