#pragma once
// Error codes shared by the decoders and the extractors, and the exception the decoders raise
// internally. Each decoder entry point turns the exception into its code.

#include <stdexcept>

namespace quorvex {

enum TDecodeError : int {
    ecNone = 0,
    ecBadFileHeader = 25108,
    ecBadBlock = 25109,
    ecBadHuffmanCode = 25110,
    ecInvalidCode = 25111,
    ecIncorrectBits = 25113,
    ecWriteError = 25114,
    ecIncompleteCodeSet = 25116,
    ecFileFailsCrc = 25117,
    ecInvalidDecodeTree = 25118,
    ecReadError = 25135,
    ecBadLengths = 25140,
    ecOutOfMemory = 25153,
    ecPasswordProtected = 25190,
    ecAmbiguousTree = 25192,
    ecStackOverflow = 25196,
    ecUnsupportedMethod = 25200,
    ecUnknownFileType = 25202,
    ecVersionError = 25302,
    ecInvalidPassword = 26517,
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

// The text of a decoder error code, "" for codes the decoders never produce.
const char* DecodeErrorText(int code);

} // namespace quorvex
