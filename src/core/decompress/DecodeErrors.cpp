#include "decompress/DecodeErrors.h"

#include <new>

namespace quorvex {

EDecodeError::EDecodeError(int code) : std::runtime_error(DecodeErrorText(code)), m_code(code) {}

void ThrowDecodeError(int code)
{
    throw EDecodeError(code);
}

int CurrentDecodeErrorCode()
{
    try {
        throw;
    } catch (const EDecodeError& e) {
        return e.Code();
    } catch (const std::bad_alloc&) {
        return ecOutOfMemory;
    }
}

const char* DecodeErrorText(int code)
{
    switch (code) {
    case ecBadFileHeader:
    case ecBadBlock:
    case ecBadHuffmanCode:
    case ecInvalidCode:
    case ecIncorrectBits:
    case ecWriteError:
    case ecIncompleteCodeSet:
    case ecFileFailsCrc:
    case ecInvalidDecodeTree:
    case ecReadError:
    case ecBadLengths:
    case ecOutOfMemory:
    case ecPasswordProtected:
    case ecAmbiguousTree:
    case ecStackOverflow:
    case ecUnsupportedMethod:
    case ecUnknownFileType:
    case ecVersionError:
    case ecInvalidPassword:
        return ArchiveErrorText(code);
    default: return "";
    }
}

} // namespace quorvex
