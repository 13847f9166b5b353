#pragma once
// Error codes shared by the decoders and the extractors, and the exception the decoders raise
// internally. Each decoder entry point turns the exception into its code.

#include "archive/ArchiveErrors.h"

#include <stdexcept>

namespace quorvex {

enum TDecodeError : int {
    ecNone = 0,
    ecBadFileHeader = E_BADFILEHEADER,
    ecBadBlock = E_BADBLOCK,
    ecBadHuffmanCode = E_BADHUFFMANCODE,
    ecInvalidCode = E_INVALIDCODE,
    ecIncorrectBits = E_BITCOUNT,
    ecWriteError = E_WRITE,
    ecIncompleteCodeSet = E_INCOMPLETECODESET,
    ecFileFailsCrc = E_CRCCHECK,
    ecInvalidDecodeTree = E_DECODETREE,
    ecReadError = E_READ,
    ecBadLengths = E_BADLENGTHS,
    ecOutOfMemory = E_OUTOFMEMORY,
    ecPasswordProtected = E_PASSWORDPROTECTED,
    ecAmbiguousTree = E_SHANNONFANO,
    ecStackOverflow = E_STACKOVERFLOW,
    ecUnsupportedMethod = E_UNSUPPORTEDMETHOD,
    ecUnknownFileType = E_UNKNOWNFILETYPE,
    ecVersionError = E_VERSION,
    ecInvalidPassword = E_INVALIDPASSWORD,
};

// Raised inside a decoder; never leaves the decoder's entry point.
class EDecodeError : public std::runtime_error {
public:
    explicit EDecodeError(int code);
    int Code() const { return m_code; }

private:
    int m_code;
};

[[noreturn]] void ThrowDecodeError(int code);

// Called inside a catch (...) of a decoder's entry point: the code of the exception being
// handled (EDecodeError's own code, ecOutOfMemory for bad_alloc). Any other exception goes on.
int CurrentDecodeErrorCode();

// The text of a decoder error code (the archive error texts), "" for codes the decoders never
// produce.
const char* DecodeErrorText(int code);

} // namespace quorvex
