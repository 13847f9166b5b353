#pragma once
// The numbered errors of the archive readers and extractors, their texts, and E_RAISE, the
// exception that carries a fatal one out of an operation.

#include <stdexcept>
#include <string>

namespace quorvex {

enum TArchiveError : int {
    E_BADFILEHEADER = 25108,
    E_BADBLOCK = 25109,
    E_BADHUFFMANCODE = 25110,
    E_INVALIDCODE = 25111,
    E_BITCOUNT = 25113,
    E_WRITE = 25114,
    E_CLOSE = 25115,
    E_INCOMPLETECODESET = 25116,
    E_CRCCHECK = 25117,
    E_DECODETREE = 25118,
    E_FILENOTFOUND = 25132,
    E_LINKINPATH = 25133,
    E_OPEN = 25134,
    E_READ = 25135,
    E_HEADERCRC = 25136,
    E_HEADERID = 25137,
    E_UNSUPPORTEDARCHIVE = 25138,
    E_FILENAME = 25139,
    E_BADLENGTHS = 25140,
    E_LOCALHEADER = 25145,
    E_MAXVOLUMES = 25150,
    E_OUTOFMEMORY = 25153,
    E_MULTIPARTGZIP = 25162,
    E_NESTEDDIRS = 25163,
    E_NOONREAD = 25171,
    E_NOONPASSWORD = 25172,
    E_PASSWORDPROTECTED = 25190,
    E_SEEK = 25191,
    E_SHANNONFANO = 25192,
    E_STACKOVERFLOW = 25196,
    E_UNSUPPORTEDMETHOD = 25200,
    E_UNKNOWNFILETYPE = 25202,
    E_VERSION = 25302,
    E_NEXTVOLUME = 25903,
    E_INVALIDPASSWORD = 26517,
    E_PASSWORDFAILED = 26522,
    E_SKIPPED = 26900,
    E_NOTHINGTODO = 26999,
};

// The text of a code; an unlisted code gives an empty text.
const char* ArchiveErrorText(int code);

class E_RAISE : public std::runtime_error
{
public:
    explicit E_RAISE(int code) : std::runtime_error(ArchiveErrorText(code)), m_code(code) {}
    int Code() const { return m_code; }

private:
    int m_code;
};

} // namespace quorvex
