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
    case ecBadFileHeader: return "Bad file header";
    case ecBadBlock: return "Bad block";
    case ecBadHuffmanCode: return "Bad Huffman code";
    case ecInvalidCode: return "Invalid code incountered";
    case ecIncorrectBits: return "Incorrect number of bits";
    case ecWriteError: return "Error writing to file";
    case ecIncompleteCodeSet: return "Incomplete code set";
    case ecFileFailsCrc: return "File fails CRC check";
    case ecInvalidDecodeTree: return "File contains invalid decode tree";
    case ecReadError: return "Error reading file or unexpected end of file";
    case ecBadLengths: return "Bad lengths";
    case ecOutOfMemory: return "Out of memory";
    case ecPasswordProtected: return "Password protected";
    case ecAmbiguousTree: return "Ambiguous Shannon-Fano decode tree encountered";
    case ecStackOverflow: return "Stack overflow";
    case ecUnsupportedMethod: return "Unsupported compression method";
    case ecUnknownFileType: return "Unknown file type";
    case ecVersionError: return "Version error";
    case ecInvalidPassword: return "Invalid password";
    default: return "";
    }
}

} // namespace quorvex
