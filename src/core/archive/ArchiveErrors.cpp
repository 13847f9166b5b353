#include "ArchiveErrors.h"

#include <algorithm>
#include <iterator>

namespace quorvex {

namespace {

struct TErrorText {
    int Code;
    const char* Text;
};

// Sorted by code.
constexpr TErrorText ErrorTexts[] = {
    {E_BADFILEHEADER, "Bad file header"},
    {E_BADBLOCK, "Bad block"},
    {E_BADHUFFMANCODE, "Bad Huffman code"},
    {E_INVALIDCODE, "Invalid code incountered"},
    {E_BITCOUNT, "Incorrect number of bits"},
    {E_WRITE, "Error writing to file"},
    {E_CLOSE, "Error closing file"},
    {E_INCOMPLETECODESET, "Incomplete code set"},
    {E_CRCCHECK, "File fails CRC check"},
    {E_DECODETREE, "File contains invalid decode tree"},
    {E_FILENOTFOUND, "File not found"},
    {E_LINKINPATH, "Symbolic link in the output path"},
    {E_OPEN, "Error opening file"},
    {E_READ, "Error reading file or unexpected end of file"},
    {E_HEADERCRC, "Header CRC error"},
    {E_HEADERID, "Header ID error"},
    {E_UNSUPPORTEDARCHIVE, "Invalid or unsupported archive type for this operation"},
    {E_FILENAME, "Invalid file name"},
    {E_BADLENGTHS, "Bad lengths"},
    {E_LOCALHEADER, "Inconsistant local header"},
    {E_MAXVOLUMES, "Maximum volumes 999"},
    {E_OUTOFMEMORY, "Out of memory"},
    {E_MULTIPARTGZIP, "Multi-Part GZIP files not supported"},
    {E_NESTEDDIRS, "Too many nested dirs"},
    {E_NOONREAD, "OnRead event not assigned"},
    {E_NOONPASSWORD, "OnPassword event not assigned"},
    {E_PASSWORDPROTECTED, "Password protected"},
    {E_SEEK, "Seek error"},
    {E_SHANNONFANO, "Ambiguous Shannon-Fano decode tree encountered"},
    {E_STACKOVERFLOW, "Stack overflow"},
    {E_UNSUPPORTEDMETHOD, "Unsupported compression method"},
    {E_UNKNOWNFILETYPE, "Unknown file type"},
    {E_VERSION, "Version error"},
    {E_NEXTVOLUME, "Next volume in set"},
    {E_INVALIDPASSWORD, "Invalid password"},
    {E_PASSWORDFAILED, "Password failed"},
    {E_SKIPPED, "Skipped File"},
    {E_NOTHINGTODO, "Nothing to do"},
};

} // namespace

const char* ArchiveErrorText(int code)
{
    auto it = std::lower_bound(std::begin(ErrorTexts), std::end(ErrorTexts), code,
                               [](const TErrorText& e, int c) { return e.Code < c; });
    return it != std::end(ErrorTexts) && it->Code == code ? it->Text : "";
}

} // namespace quorvex
